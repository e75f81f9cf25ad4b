#pragma once
// 自社Ｍ, the companies of the suite's user, listed in the main window.

#include <cstdint>
#include <string>
#include <vector>

#include "data/tables/audit_record.h"
#include "util/fixed_text.h"

namespace omrix::data {

class CCCDBS_DataBase;

struct JishaMRec {
    AuditRec audit;
    int32_t 表示Ｎｏ = 0;
    util::FixedText<12> 自社ＣＤ;
    util::FixedText<10> 自社ＣＤ２;
    util::FixedText<12> 自社証明書標準企業ＣＤ;
    util::FixedText<56> 自社名;
    util::FixedText<128> 自社代表者氏名;
    int32_t 証明書ＭＩＤ = 0;
    util::FixedText<256> 送信サーバー;
    util::FixedText<256> 受信サーバー;
    util::FixedText<256> 自社メールアドレス;
    util::FixedText<256> 自社証明書メールアドレス;
    util::FixedText<256> メールアカウント;
    util::FixedText<256> メールパスワード;
    util::FixedText<128> 建設業許可区分;
    util::FixedText<32> 建設業許可日;
    util::FixedText<128> 備考;
    int32_t POP_BEFORE_SMTP = 0;
    int32_t 待ち時間 = 0;
    std::string 請求算定方式ＣＤ;
    util::FixedText<5> 受信ポート;
    util::FixedText<5> 送信ポート;
    int32_t SMTP認証 = 0;
    util::FixedText<128> SMTPユーザID;
    util::FixedText<128> SMTPパスワード;
};

// Order 1: by 自社ＣＤ, 2: by 自社ＣＤ descending, other: as the database gives them.
// The row with code "0" is never listed. False when the read fails.
[[nodiscard]] bool fnOmrix_DBT_JishaM_Select(CCCDBS_DataBase& db, std::vector<JishaMRec>& rows,
                                             int16_t order);

}  // namespace omrix::data
