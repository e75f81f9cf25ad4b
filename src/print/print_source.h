#pragma once
// What the print steps work on, handed to them rather than read from AppContext.

#include <cstdint>

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

// The program's connection, AppContext.UchiwakeRoot and AppContext.UchiwakeNameID.
// The root stays alive while AppContext holds it.
PrintSource printSourceFromContext();

}  // namespace omrix::print
