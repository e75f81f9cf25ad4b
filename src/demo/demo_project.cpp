#include "demo/demo_project.h"

#include <cmath>
#include <string_view>

#include "demo/demo_formulas.h"
#include "demo/demo_masters.h"
#include "demo/demo_sql.h"

namespace omrix::demo {
namespace {

// IDs of the detail rows differ from each other, so that a row read by the wrong ID
// shows up as missing instead of passing by chance.
constexpr int32_t kBukkenKanriId = 1;
constexpr int32_t kKiboId = 11;
constexpr int32_t kBashoId = 21;
constexpr int32_t kKuiId = 31;
constexpr int32_t kTatemonoId = 41;
constexpr int32_t kTokkiId = 51;

constexpr std::string_view kKojiShort = "みなと中央ビル";
constexpr int32_t kPrefecture = 14;  // 神奈川県
constexpr std::string_view kSiteAddress = "横浜市中区海岸通三丁目9番地";
constexpr std::string_view kSiteFullAddress = "神奈川県横浜市中区海岸通三丁目9番地";
constexpr std::string_view kDesigner = "株式会社港設計事務所";
constexpr std::string_view kClient = "みなと開発株式会社";

// Building scale.
constexpr int16_t kBasementFloors = 1, kFloors = 8, kPenthouseFloors = 1;
constexpr double kEavesHeight = 31.5;
constexpr double kSiteArea = 1180.3, kBuildingArea = 640.5, kFloorArea = 5120.75,
                 kWorkFloorArea = 5386.2;
constexpr double kTsubo = 0.3025;

constexpr std::string_view kPeriodFrom = "2025-06-01 00:00:00";
constexpr std::string_view kPeriodTo = "2026-11-30 00:00:00";
constexpr std::string_view kPeriodText = "2025/06/01～2026/11/30";

// Seven lines: the summary sheet takes the first six.
constexpr std::string_view kPaymentLines[] = {"出来高払い（毎月末締め・翌月末支払）",
                                              "現金70％・手形30％（手形サイト120日）",
                                              "前払金 契約金額の20％",
                                              "竣工引渡し時 残金精算",
                                              "部分払いは月1回、出来高の90％",
                                              "契約保証 履行保証保険（契約金額の10％）",
                                              "その他は別途協議による"};
constexpr std::string_view kNotes[] = {"近隣協定により作業時間8時～18時", "日曜・祝日は休工",
                                       "搬出入は海岸通側ゲートのみ"};

constexpr std::string_view kBunsho =
    "下記の要領でお見積もりいたしましたので、何卒御下命の程お願い申しあげます。";

std::string joinedByCr(std::span<const std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) {
        if (!text.empty()) text += '\r';
        text += line;
    }
    return text;
}

double tsubo(double squareMetres) {
    return std::round(squareMetres * kTsubo * 100.0) / 100.0;
}

// 物件No as the project windows store it: right-aligned in 16 bytes.
std::string rightAligned(std::string_view bukkenNo) {
    std::string text(bukkenNo);
    if (text.size() < 16) text.insert(0, 16 - text.size(), ' ');
    return text;
}

bool writeKanri(data::CCCDBS_DataBase& db, const DemoProjectKeys& keys) {
    RowInserter rows(
        db, "物件管理",
        "表示Ｎｏ, 物件管理ＩＤ, 物件No, 物件No枝番, 工事名称, 工事略称, 予定区分, "
        "ＪＶ構成企業, 物件工事場所管理ＩＤ, 事業所ＩＤ, 物件種別ＩＤ, 物件建物管理ＩＤ, "
        "物件規模管理ＩＤ, 自社担当者ＭＩＤ, 自社ＣＤ, 他社担当者ＭＩＤ, 他社ＣＤ, "
        "設計担当者ＭＩＤ, 設計社ＣＤ, 物件杭管理ＩＤ, 物件主仕上管理ＩＤ, "
        "物件特記管理ＩＤ, 備考");
    rows.add(SqlRow()
                 .number(1)
                 .number(kBukkenKanriId)
                 .text(padCode(keys.bukkenNo, 16), 16)
                 .text("0000", 4)
                 .text(kDemoKojiName, 76)
                 .text(kKojiShort, 50)
                 .text("1", 1)
                 .text("0", 1)
                 .number(kBashoId)
                 .number(1)
                 .number(1)
                 .number(kTatemonoId)
                 .number(kKiboId)
                 .number(1)
                 .text(padCode("002", 12), 12)
                 .number(0)
                 .text("", 12)
                 .number(1)
                 .text(padCode("S001", 12), 12)
                 .number(kKuiId)
                 .number(0)
                 .number(kTokkiId)
                 .text("事務所・店舗 複合用途", 128));
    return rows.flush();
}

bool writeDetails(data::CCCDBS_DataBase& db, const DemoProjectTotals& totals) {
    RowInserter kibo(db, "物件規模管理",
                     "物件規模管理ＩＤ, 構造区分ＩＤ, 地下階, 地上階, ＰＨ階, 軒高, 敷地面積, "
                     "建築面積, 延床面積, 施工床面積, ボーリングデータ有無");
    kibo.add(SqlRow()
                 .number(kKiboId)
                 .number(2)
                 .number(kBasementFloors)
                 .number(kFloors)
                 .number(kPenthouseFloors)
                 .real(kEavesHeight)
                 .real(kSiteArea)
                 .real(kBuildingArea)
                 .real(kFloorArea)
                 .real(kWorkFloorArea)
                 .text("1", 1));
    RowInserter basho(db, "物件工事場所管理",
                      "物件工事場所管理ＩＤ, 都道府県ＩＤ, 受渡し場所郵便番号, 受渡し場所住所, "
                      "受渡し場所所長名, 受渡し場所担当者名, 受渡し場所電話番号, "
                      "受渡し場所ＦＡＸ番号");
    basho.add(SqlRow()
                  .number(kBashoId)
                  .number(kPrefecture)
                  .text("231-0002", 10)
                  .text(kSiteAddress, 100)
                  .text("渡辺 隆", 28)
                  .text("伊藤 翔太", 28)
                  .text("045-211-0350", 15)
                  .text("045-211-0351", 15));
    RowInserter kui(db, "物件杭管理",
                    "物件杭管理ＩＤ, 杭工法ＩＤ, 杭長さ, 杭本数, 杭径, 基礎種類ＩＤ");
    kui.add(SqlRow().number(kKuiId).number(2).real(25.0).number(48).number(600).number(1));
    RowInserter tatemono(
        db, "物件建物管理",
        "物件建物管理ＩＤ, 建物分類ＩＤ, 主建物用途ＩＤ, 副建物用途ＩＤ, 建物数量");
    tatemono.add(SqlRow().number(kTatemonoId).number(1).number(1).number(2).real(1.0));
    RowInserter tokki(
        db, "物件特記管理",
        "物件特記管理ＩＤ, 工期ＦＲＯＭ, 工期ＴＯ, 工事No, 契約金額, 支払条件, 特記事項");
    tokki.add(SqlRow()
                  .number(kTokkiId)
                  .date(kPeriodFrom)
                  .date(kPeriodTo)
                  .text("K25-0142", 12)
                  .money(totals.contractAmount)
                  .text(joinedByCr(kPaymentLines), 314)
                  .text(joinedByCr(kNotes), 92));
    return kibo.flush() && basho.flush() && kui.flush() && tatemono.flush() && tokki.flush();
}

// The sheet columns shared by 物件概要 and 物件見積要項, from 事業所名称 to 工期.
constexpr std::string_view kSheetColumns =
    "事業所名称, 工事名称, 工事略称, 受渡し場所住所, 設計者担当部署名, 発注者担当部署名, "
    "建物用途名称, 建物数量, 構造区分名称, 地下階, 地上階, ＰＨ階, 軒高, 敷地面積, 建築面積, "
    "延床面積, 施工床面積, 敷地面積坪, 建築面積坪, 延床面積坪, 施工床面積坪, 工期";

// The values of kSheetColumns as the windows save them: 事業所名称, 工事略称 and 軒高
// have no box and are saved empty.
void sheetValues(SqlRow& row, std::string_view client) {
    row.text("", 128)
        .text(kDemoKojiName, 76)
        .text("", 50)
        .text(kSiteFullAddress, 128)
        .text(kDesigner, 128)
        .text(client, 128)
        .text("事務所", 128)
        .real(1.0)
        .text("鉄筋コンクリート造", 64)
        .number(kBasementFloors)
        .number(kFloors)
        .number(kPenthouseFloors)
        .real(0.0)
        .real(kSiteArea)
        .real(kBuildingArea)
        .real(kFloorArea)
        .real(kWorkFloorArea)
        .real(tsubo(kSiteArea))
        .real(tsubo(kBuildingArea))
        .real(tsubo(kFloorArea))
        .real(tsubo(kWorkFloorArea))
        .text(kPeriodText, 64);
}

bool writeGaiyou(data::CCCDBS_DataBase& db, const DemoProjectKeys& keys) {
    RowInserter rows(db, "物件概要",
                     "物件概要ＩＤ, 物件No, " + std::string(kSheetColumns) +
                         ", 見積範囲, 特記事項１, 特記事項２, 特記事項３, 特記事項４, 特記事項５, "
                         "杭有無, 杭備考, 山止有無, 山止備考, 構台有無, 構台備考, "
                         "ボーリングデータ有無, ボーリングデータ備考, 載荷有無, 載荷備考");
    SqlRow row;
    row.number(1).text(rightAligned(keys.bukkenNo), 16);
    sheetValues(row, kClient);
    row.text("建築・電気設備・機械設備・外構工事", 64);
    for (std::string_view note : kNotes) row.text(note, 128);
    row.text("既存杭なし（更地）", 128).text("", 128);
    row.text("1", 1).text("PHC杭 φ600 L=25m 48本", 64);
    row.text("1", 1).text("親杭横矢板工法", 64);
    row.text("0", 1).text("", 64);
    row.text("1", 1).text("3箇所 GL-40m", 64);
    row.text("0", 1).text("", 64);
    rows.add(row);
    return rows.flush();
}

bool writeYoukou(data::CCCDBS_DataBase& db, const DemoProjectKeys& keys) {
    std::string columns = "物件見積要項ＩＤ, 物件No, 版No, " + std::string(kSheetColumns) +
                          ", 付帯工事, 支払条件１, 支払条件２, 支払条件３, 支払条件４, 支払条件５, "
                          "支払条件６, 杭１, 杭２, 杭３, 杭４, 別途工事１, 別途工事２, 別途工事３, "
                          "別途工事４, 別途工事５, 備考１, 備考２, 備考３, 備考４, 備考５, 文章";
    RowInserter rows(db, "物件見積要項", columns);
    SqlRow row;
    row.number(1).text(rightAligned(keys.bukkenNo), 16).text(keys.hanNo, 4);
    sheetValues(row, "");
    row.text("外構工事を含む", 64);
    for (int i = 0; i < 6; ++i) row.text(kPaymentLines[i], 128);
    row.text("工法  既製コンクリート杭（PHC杭）", 64)
        .text("径　  600Φ", 64)
        .text("実長  25ｍ", 64)
        .text("本数  48本", 64);
    for (std::string_view work :
         {"確認申請手数料", "電波障害対策工事", "家具・什器・備品", "近隣対策費", ""}) {
        row.text(work, 64);
    }
    for (std::string_view note :
         {"見積有効期限：提出日より3ヶ月", "消費税及び地方消費税は別途", "地中障害物の撤去は別途",
          "電力・水道の引込負担金は別途", "図面 A-01～A-48、S-01～S-22 による"}) {
        row.text(note, 64);
    }
    row.text(kBunsho, 128);
    rows.add(row);
    return rows.flush();
}

bool writeHensu(data::CCCDBS_DataBase& db, const DemoProjectKeys& keys) {
    RowInserter rows(db, "物件変数", "物件変数ＩＤ, 物件No, 変数名, 名称, 数量");
    int32_t id = 1;
    rows.add(SqlRow()
                 .number(id)
                 .text(padCode("00000000", 16), 16)
                 .text(padCode("TUBOKANSAN", 16), 16)
                 .text("坪換算係数（坪/㎡）", 32)
                 .real(kTsubo));
    for (const auto& v : projectVariables()) {
        rows.add(SqlRow()
                     .number(++id)
                     .text(padCode(keys.bukkenNo, 16), 16)
                     .text(padCode(v.name, 16), 16)
                     .text(v.label, 32)
                     .real(v.value));
    }
    return rows.flush();
}

bool writeUchiwakeName(data::CCCDBS_DataBase& db, const DemoProjectKeys& keys) {
    RowInserter rows(db, "内訳名称",
                     "内訳名称ＩＤ, 内訳名称, 物件No, 版No, 種別フラグ, 事業所ＩＤ");
    rows.add(SqlRow()
                 .number(keys.uchiwakeNameId)
                 .text(std::string(kDemoKojiName) + " 見積", 64)
                 .text(padCode(keys.bukkenNo, 16), 16)
                 .text(padCode(keys.hanNo, 4), 4)
                 .number(0)
                 .number(1));
    return rows.flush();
}

// The counters of ＩＤ管理, so that rows the suite adds later get numbers after the demo's.
bool writeCounters(data::CCCDBS_DataBase& db, const DemoProjectKeys& keys,
                   const DemoProjectTotals& totals) {
    RowInserter rows(db, "ＩＤ管理",
                     "ＫＥＹテーブル名称１, ＫＥＹＩＤ１, ＫＥＹテーブル名称２, ＫＥＹＩＤ２, "
                     "テーブル名称, ＩＤカウンタ");
    auto counter = [&](std::string_view keyTable2, int32_t keyId2, std::string_view table,
                       int32_t value) {
        rows.add(SqlRow()
                     .text("", 128)
                     .number(0)
                     .text(keyTable2, 128)
                     .number(keyId2)
                     .text(table, 128)
                     .number(value));
    };
    counter("", 0, "物件管理", kBukkenKanriId);
    counter("", 0, "物件概要", 1);
    counter("", 0, "物件見積要項", 1);
    counter("", 0, "物件変数", static_cast<int32_t>(projectVariables().size()) + 1);
    counter("", 0, "内訳名称", keys.uchiwakeNameId);
    counter("物件管理", kBukkenKanriId, "内訳", totals.lastUchiwakeId);
    counter("内訳名称", keys.uchiwakeNameId, "代価表", totals.lastDaikahyoId);
    return rows.flush();
}

}  // namespace

bool writeProject(data::CCCDBS_DataBase& db, const DemoProjectKeys& keys,
                  const DemoProjectTotals& totals) {
    return writeKanri(db, keys) && writeDetails(db, totals) && writeGaiyou(db, keys) &&
           writeYoukou(db, keys) && writeHensu(db, keys) && writeUchiwakeName(db, keys) &&
           writeCounters(db, keys, totals);
}

}  // namespace omrix::demo
