#pragma once
// 自社担当者Ｍ, the operators of the suite; the print module reads the logged-in
// operator's authority bits from it.

#include <cstdint>

#include "data/tables/audit_record.h"
#include "util/fixed_text.h"

namespace omrix::data {

class CCCDBS_DataBase;

struct JishaTantoshaMRec {
    AuditRec audit;
    int32_t 表示No = 0;
    int32_t 自社担当者ＭＩＤ = 0;
    util::FixedText<12> 自社ＣＤ;
    util::FixedText<12> 本店_支店ＣＤ;
    util::FixedText<12> 担当者ＣＤ;
    util::FixedText<64> 自社担当部署名;
    util::FixedText<28> 自社担当者名;
    util::FixedText<256> 自社担当者メールアドレス;
    util::FixedText<10> 自社担当郵便番号;
    util::FixedText<100> 自社担当住所;
    util::FixedText<15> 自社担当電話番号;
    util::FixedText<15> 自社担当ＦＡＸ番号;
    util::FixedText<28> 自社決裁者名;
    util::FixedText<28> 担当者パスワード;
    int16_t 権限 = 0;
    util::FixedText<128> 備考;
};

// False when the query fails; found tells whether a live row came back (the record is
// cleared when not).
[[nodiscard]] bool fnOmrix_DBT_JishaTantoshaM_SelectByID(CCCDBS_DataBase& db,
                                                         int32_t lJishaTantoshaMID,
                                                         JishaTantoshaMRec& row, bool& found);

// The operator's 権限: 0 without a row; -1 (all bits) after message 3010 when the
// query fails.
int16_t fnGetTantoshaKengen(CCCDBS_DataBase& db, int32_t lTantoshaID);
// The same on the program's connection; -1 without one.
int16_t fnGetTantoshaKengen(int32_t lTantoshaID);

}  // namespace omrix::data
