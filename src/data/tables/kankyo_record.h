#pragma once
// The 環境Ｍ row of the master readers; defined with the records AppContext holds.

#include "records/kankyo_record.h"

namespace omrix::data {

using records::KankyoRec;

}  // namespace omrix::data
