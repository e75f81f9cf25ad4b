#pragma once
// Small breakdown trees built by hand for the row object and loading tests.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "breakdown/tree/edit_ucw.h"
#include "breakdown/tables/kind_flags.h"
#include "breakdown/tree/uchiwake_loader.h"
#include "breakdown/tables/uchiwake_records.h"

namespace omrix::testing {

using breakdown::COmrixEditUcw;
using breakdown::kFlag512;
using breakdown::kFlagBesshi;
using breakdown::kFlagGokei;
using breakdown::kFlagGokeiMidasi;
using breakdown::kFlagKeizoku;
using breakdown::kFlagMeisai;
using breakdown::kFlagMeisaiGokei;
using breakdown::kFlagMishiyou;
using breakdown::kFlagSyumoku;
using breakdown::UchiwakeRec;

inline UchiwakeRec line(int32_t id, int32_t parent, int16_t flag, int32_t hyojiNo = 0,
                        std::string name = "line") {
    UchiwakeRec rec;
    breakdown::sbOmrix_DBT_Uchiwake_Clear(rec);
    rec.内訳名称ＩＤ = 7;
    rec.内訳ＩＤ = id;
    rec.親内訳ＩＤ = parent;
    rec.種別フラグ = flag;
    rec.表示No = hyojiNo;
    rec.名称１ = name;
    return rec;
}

// An amount written as text, known to be one.
inline util::Currency money(std::string_view text) {
    return *util::Currency::parse(text);
}

// Rows as the select leaves them: element 0 unused.
inline breakdown::UchiwakeRows rowsOf(std::vector<UchiwakeRec> lines) {
    breakdown::UchiwakeRows rows(1);
    for (auto& l : lines) rows.push_back(std::move(l));
    return rows;
}

inline std::shared_ptr<COmrixEditUcw> buildTree(std::vector<UchiwakeRec> lines) {
    auto rows = rowsOf(std::move(lines));
    std::shared_ptr<COmrixEditUcw> root;
    EXPECT_TRUE(breakdown::fnBuildUchiwakeTree(rows, root, 0));
    return root;
}

inline COmrixEditUcw* byId(const std::shared_ptr<COmrixEditUcw>& root, int32_t id) {
    COmrixEditUcw* found = root ? root->fnGetIDTarget(id, true) : nullptr;
    EXPECT_NE(found, nullptr) << "no line " << id;
    return found;
}

inline int32_t idOf(const COmrixEditUcw* line) {
    return line != nullptr ? line->prUchiwakeRec().内訳ＩＤ : 0;
}

// IDs of the chain of siblings from `first`.
inline std::vector<int32_t> chainIds(const COmrixEditUcw* first) {
    std::vector<int32_t> ids;
    for (; first != nullptr; first = first->fnGetNext()) ids.push_back(idOf(first));
    return ids;
}

}  // namespace omrix::testing
