#include "data/tables/jisha_master.h"

#include "data/core/database.h"
#include "data/tables/record_conventions.h"
#include "data/core/row_select.h"

namespace omrix::data {
namespace {

void readRow(CCCDBS_RecordSet& rs, JishaMRec& row) {
    sbReadAudit(rs, row.audit);
    row.表示Ｎｏ = rs.fnGetInt("表示Ｎｏ");
    row.自社ＣＤ = rs.fnGetChar("自社ＣＤ");
    row.自社ＣＤ２ = rs.fnGetChar("自社ＣＤ２");
    row.自社証明書標準企業ＣＤ = rs.fnGetChar("自社証明書標準企業ＣＤ");
    row.自社名 = rs.fnGetChar("自社名");
    row.自社代表者氏名 = rs.fnGetChar("自社代表者氏名");
    row.証明書ＭＩＤ = rs.fnGetInt("証明書ＭＩＤ");
    row.送信サーバー = rs.fnGetChar("送信サーバー");
    row.受信サーバー = rs.fnGetChar("受信サーバー");
    row.自社メールアドレス = rs.fnGetChar("自社メールアドレス");
    row.自社証明書メールアドレス = rs.fnGetChar("自社証明書メールアドレス");
    row.メールアカウント = rs.fnGetChar("メールアカウント");
    row.メールパスワード = rs.fnGetChar("メールパスワード");
    row.建設業許可区分 = rs.fnGetChar("建設業許可区分");
    row.建設業許可日 = rs.fnGetChar("建設業許可日");
    row.備考 = rs.fnGetChar("備考");
    row.POP_BEFORE_SMTP = rs.fnGetInt("POP_BEFORE_SMTP");
    row.待ち時間 = rs.fnGetInt("待ち時間");
    row.請求算定方式ＣＤ = rs.fnGetChar("請求算定方式ＣＤ");
    row.受信ポート = rs.fnGetChar("受信ポート");
    row.送信ポート = rs.fnGetChar("送信ポート");
    row.SMTP認証 = rs.fnGetInt("SMTP認証");
    row.SMTPユーザID = rs.fnGetChar("SMTPユーザID");
    row.SMTPパスワード = rs.fnGetChar("SMTPパスワード");
}

}  // namespace

bool fnOmrix_DBT_JishaM_Select(CCCDBS_DataBase& db, std::vector<JishaMRec>& rows, int16_t order) {
    std::string sql =
        "Select * From 自社Ｍ Where (削除区分 = '0') And LTrim(RTrim(自社ＣＤ)) <> '0' ";
    if (order == 1) sql += " Order By 自社ＣＤ";
    if (order == 2) sql += " Order By 自社ＣＤ Desc";
    sql += ";";
    return selectRows(db, sql, rows, readRow);
}

}  // namespace omrix::data
