#include "demo/demo_masters.h"

#include <span>
#include <string>

#include "demo/demo_breakdown.h"
#include "demo/demo_sql.h"
#include "util/text.h"

namespace omrix::demo {
namespace {

constexpr std::string_view kPrefectures[] = {
    "北海道", "青森県", "岩手県", "宮城県", "秋田県", "山形県",   "福島県", "茨城県",
    "栃木県", "群馬県", "埼玉県", "千葉県", "東京都", "神奈川県", "新潟県", "富山県",
    "石川県", "福井県", "山梨県", "長野県", "岐阜県", "静岡県",   "愛知県", "三重県",
    "滋賀県", "京都府", "大阪府", "兵庫県", "奈良県", "和歌山県", "鳥取県", "島根県",
    "岡山県", "広島県", "山口県", "徳島県", "香川県", "愛媛県",   "高知県", "福岡県",
    "佐賀県", "長崎県", "熊本県", "大分県", "宮崎県", "鹿児島県", "沖縄県"};

constexpr std::string_view kKingakuShurui[] = {"原価", "見積金額", "査定金額", "契約金額",
                                               "提出金額"};
constexpr std::string_view kKouzouKubun[] = {
    "鉄骨造", "鉄筋コンクリート造", "鉄骨鉄筋コンクリート造", "木造", "補強コンクリートブロック造"};
constexpr std::string_view kKuiKouhou[] = {"場所打ちコンクリート杭", "既製コンクリート杭（PHC杭）",
                                           "鋼管杭", "柱状地盤改良", "直接基礎"};
constexpr std::string_view kTatemonoYouto[] = {"事務所", "店舗", "共同住宅", "工場",    "倉庫",
                                               "病院",   "学校", "ホテル",   "物流施設"};

// The print types in the order the main window lists them.
constexpr std::string_view kPrintTypes[] = {"B5", "A4(横)", "A4(縦)", "A4(計算式)",
                                            "A4(社内確認用)"};

// 表示No, ID, name: the shape of the small name masters.
bool writeNameMaster(data::CCCDBS_DataBase& db, std::string_view table, std::string_view idColumn,
                     std::string_view nameColumn, int32_t width,
                     std::span<const std::string_view> names) {
    RowInserter rows(db, table,
                     "表示No, " + std::string(idColumn) + ", " + std::string(nameColumn));
    int32_t id = 0;
    for (std::string_view name : names) {
        ++id;
        if (!rows.add(SqlRow().number(id).number(id).text(name, width))) return false;
    }
    return rows.flush();
}

bool writeKankyo(data::CCCDBS_DataBase& db) {
    RowInserter rows(db, "環境Ｍ",
                     "ＬＯＣＫ作成トライ回数, ＬＯＣＫ作成ウェイト時間, 発番排他モードトライ回数, "
                     "発番排他モードウェイト時間, 技術資料保存フォルダ, 回答用種目名称, "
                     "回答用科目名称, 消費税率");
    rows.add(SqlRow()
                 .number(10)
                 .number(100)
                 .number(10)
                 .number(100)
                 .text("/srv/omrix/技術資料", 256)
                 .text("建築工事", 64)
                 .text("直接仮設工事", 64)
                 .real(0.1));
    return rows.flush();
}

struct Company {
    std::string_view code;
    std::string_view name;
    std::string_view president;
    std::string_view mail;
    std::string_view licence;
};

bool writeJisha(data::CCCDBS_DataBase& db) {
    // Code "0" is the suite's own placeholder row; the company lists leave it out.
    constexpr Company kCompanies[] = {
        {"0", "（自社共通）", "", "", ""},
        {"001", "株式会社オムリクス建設", "代表取締役社長　森田 健一",
         "estimate@omrix-kensetsu.example.jp", "国土交通大臣許可（特-5）第012345号"},
        {"002", "みなと開発株式会社", "代表取締役　岡本 修", "info@minato-kaihatsu.example.jp", ""},
        {"003", "横浜臨港不動産株式会社", "代表取締役　西村 香織",
         "contact@rinko-fudosan.example.jp", ""},
    };
    RowInserter rows(db, "自社Ｍ",
                     "表示Ｎｏ, 自社ＣＤ, 自社ＣＤ２, 自社名, 自社代表者氏名, 自社メールアドレス, "
                     "送信サーバー, 受信サーバー, 建設業許可区分, 建設業許可日, 備考, 待ち時間, "
                     "受信ポート, 送信ポート, SMTP認証");
    int32_t order = 0;
    for (const auto& c : kCompanies) {
        const bool own = c.code == "001";
        rows.add(SqlRow()
                     .number(order++)
                     .text(padCode(c.code, 12), 12)
                     .text("", 10)
                     .text(c.name, 56)
                     .text(c.president, 128)
                     .text(c.mail, 256)
                     .text(own ? "smtp.omrix-kensetsu.example.jp" : "", 256)
                     .text(own ? "pop.omrix-kensetsu.example.jp" : "", 256)
                     .text(c.licence, 128)
                     .text(own ? "2023年4月1日" : "", 32)
                     .text("", 128)
                     .number(own ? 30 : 0)
                     .text(own ? "110" : "", 5)
                     .text(own ? "587" : "", 5)
                     .number(own ? 1 : 0));
    }
    return rows.flush();
}

bool writeJishaTantosha(data::CCCDBS_DataBase& db) {
    struct Operator {
        std::string_view code, section, name, mail;
        int32_t kengen;
    };
    constexpr Operator kOperators[kDemoTantoshaCount] = {
        {"E0101", "見積部 見積一課", "佐藤 一郎", "i.sato@omrix-kensetsu.example.jp", 0},
        {"E0102", "見積部 見積一課", "鈴木 花子", "h.suzuki@omrix-kensetsu.example.jp", 0},
        {"E0203", "工事部 工事二課", "高橋 誠", "m.takahashi@omrix-kensetsu.example.jp", 1},
        {"E0304", "営業部", "田中 美咲", "m.tanaka@omrix-kensetsu.example.jp", 3},
    };
    RowInserter rows(
        db, "自社担当者Ｍ",
        "表示No, 自社担当者ＭＩＤ, 自社ＣＤ, 本店_支店ＣＤ, 担当者ＣＤ, 自社担当部署名, "
        "自社担当者名, 自社担当者メールアドレス, 自社担当郵便番号, 自社担当住所, "
        "自社担当電話番号, 自社担当ＦＡＸ番号, 自社決裁者名, 担当者パスワード, 権限, 備考");
    int32_t id = 0;
    for (const auto& o : kOperators) {
        ++id;
        rows.add(SqlRow()
                     .number(id)
                     .number(id)
                     .text(padCode("001", 12), 12)
                     .text(padCode("YKH", 12), 12)
                     .text(padCode(o.code, 12), 12)
                     .text(o.section, 64)
                     .text(o.name, 28)
                     .text(o.mail, 256)
                     .text("231-0023", 10)
                     .text("神奈川県横浜市中区山下町20番地", 100)
                     .text("045-650-1100", 15)
                     .text("045-650-1101", 15)
                     .text("見積部長　松本 隆", 28)
                     .text("", 28)
                     .number(o.kengen)
                     .text("", 128));
    }
    return rows.flush();
}

bool writeTashaTantosha(data::CCCDBS_DataBase& db) {
    struct Staff {
        std::string_view code, section, name, phone;
    };
    constexpr Staff kStaff[kDemoTashaTantoshaCount + 1] = {
        {"T001", "株式会社横浜電設 工事部", "山本 浩二", "045-321-4500"},
        {"T002", "港北設備工業株式会社 営業課", "中村 大輔", "045-472-8800"},
        {"T003", "湘南造園株式会社", "小林 由美", "0466-22-3100"},
        {"T004", "株式会社ベイサイド内装 見積課", "加藤 修", "045-505-6600"},
        {"T001", "株式会社横浜電設 工事部", "前任 担当", "045-321-4500"},
    };
    RowInserter rows(
        db, "他社担当者Ｍ",
        "表示No, 他社担当者ＭＩＤ, 他社ＣＤ, 他社ＣＤ２, 他社担当部署名, 他社担当者名, "
        "他社担当電話番号");
    int32_t id = 0;
    for (const auto& s : kStaff) {
        ++id;
        // The last one left the company: soft-deleted, as the suite keeps such rows.
        const bool left = id > kDemoTashaTantoshaCount;
        rows.add(SqlRow()
                     .number(id)
                     .number(left ? 1 : id)
                     .text(padCode(s.code, 12), 12)
                     .text("", 10)
                     .text(s.section, 64)
                     .text(s.name, 28)
                     .text(s.phone, 15),
                 left);
    }
    return rows.flush();
}

bool writePrintTypes(data::CCCDBS_DataBase& db) {
    RowInserter rows(db, "内訳書出力形式Ｍ", "内訳書出力形式ＩＤ, 内訳書出力形式名称");
    // ID 0 is the suite's default entry, never listed; a retired layout stays deleted.
    rows.add(SqlRow().number(0).text("標準", 32));
    int32_t id = 0;
    for (std::string_view name : kPrintTypes) rows.add(SqlRow().number(++id).text(name, 32));
    rows.add(SqlRow().number(++id).text("A3(旧形式)", 32), true);
    return rows.flush();
}

bool writeSekkeisha(data::CCCDBS_DataBase& db) {
    struct Office {
        std::string_view code, name, zip, address, phone;
    };
    constexpr Office kOffices[] = {
        {"S001", "株式会社港設計事務所", "220-0012", "神奈川県横浜市西区みなとみらい三丁目6番1号",
         "045-222-7100"},
        {"S002", "有限会社みなとみらい構造設計", "220-0011", "神奈川県横浜市西区高島二丁目7番1号",
         "045-441-2200"},
        {"S003", "株式会社山手建築研究所", "231-0862", "神奈川県横浜市中区山手町8番地",
         "045-623-0900"},
    };
    RowInserter rows(db, "設計社Ｍ",
                     "表示No, 設計社ＣＤ, 設計社ＣＤ２, 設計社名, 設計社郵便番号, 設計社住所, "
                     "設計社電話番号, 設計社ＦＡＸ番号, 備考");
    int32_t order = 0;
    for (const auto& o : kOffices) {
        rows.add(SqlRow()
                     .number(++order)
                     .text(padCode(o.code, 12), 12)
                     .text("", 10)
                     .text(o.name, 56)
                     .text(o.zip, 10)
                     .text(o.address, 100)
                     .text(o.phone, 15)
                     .text("", 15)
                     .text("", 128));
    }
    return rows.flush();
}

}  // namespace

std::string padCode(std::string_view code, int32_t width) {
    std::string padded(code);
    const int32_t bytes = util::fnLenByte(code);
    if (bytes < width) padded.append(static_cast<std::size_t>(width - bytes), ' ');
    return padded;
}

bool writeMasters(data::CCCDBS_DataBase& db) {
    return writeKankyo(db) && writeJisha(db) && writeJishaTantosha(db) && writeTashaTantosha(db) &&
           writePrintTypes(db) && writeSekkeisha(db) &&
           writeNameMaster(db, "金額種類Ｍ", "金額種類ＩＤ", "金額種類名称", 32, kKingakuShurui) &&
           writeNameMaster(db, "構造区分Ｍ", "構造区分ＩＤ", "構造区分名称", 64, kKouzouKubun) &&
           writeNameMaster(db, "杭工法Ｍ", "杭工法ＩＤ", "杭工法名称", 64, kKuiKouhou) &&
           writeNameMaster(db, "建物用途Ｍ", "建物用途ＩＤ", "建物用途名称", 128, kTatemonoYouto) &&
           writeNameMaster(db, "都道府県Ｍ", "都道府県ＩＤ", "都道府県名称", 16, kPrefectures);
}

}  // namespace omrix::demo
