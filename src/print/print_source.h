#pragma once
// What the print steps work on, handed to them rather than read from AppContext.

#include <cstdint>
#include <string>

#include "util/progress.h"

namespace omrix::breakdown {
class COmrixEditUcw;
}
namespace omrix::data {
class CCCDBS_DataBase;
}

namespace omrix::print {

struct PrintSource {
    data::CCCDBS_DataBase* db = nullptr;
    // The breakdown's first top-level line; null when a re-read found none.
    breakdown::COmrixEditUcw* root = nullptr;
    // The 内訳名称ＩＤ every print row carries.
    int32_t uchiwakeNameId = 0;
};

// What a run reads besides the window's choices.
struct PrintRunInputs {
    PrintSource source;
    std::string bukkenNo;
    std::string hanNo;
    int16_t kengen = 0;  // the operator's 権限
};

// The program's values are read from AppContext here and only here; the print steps
// take them as arguments.

// The program's connection, AppContext.UchiwakeRoot and AppContext.UchiwakeNameID.
// The root stays alive while AppContext holds it.
PrintSource printSourceFromContext();
// The program's values, read after a re-read so that the fresh breakdown is printed.
PrintRunInputs printRunInputsFromContext();
// Chk_ReRead: the breakdown read again and recalculated replaces AppContext's, whether
// or not it could be read, its lines counted on the progress bar. False when it could not.
bool rereadBreakdownIntoContext(util::Progress* progress = nullptr);

}  // namespace omrix::print
