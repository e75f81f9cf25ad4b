#pragma once
// The audit record of the record conventions; defined with the records AppContext holds.

#include "records/audit_record.h"

namespace omrix::data {

using records::AuditRec;

}  // namespace omrix::data
