// Data layer against the SQLite C API doing the same work:
//  * reading 100,000 rows of 内訳 through CCCDBS_RecordSet with the typed readers by
//    column name, against a sqlite3_step loop reading the same columns by position;
//  * writing 100,000 rows of 内訳出力 as text statements, 100 per fnExecute, in one
//    transaction, against one prepared statement with bound values;
//  * that write with the rollback journal and with WAL, for the choice of journal mode.
// Usage: data_bench [rows] [folder]; prints rates and ratios.

#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "data/core/database.h"
#include "data/core/schema.h"
#include "data/drivers/sql_text.h"
#include "data/tables/record_conventions.h"
#include "util/currency.h"

namespace {

using omrix::bench::Clock;
using omrix::bench::secondsSince;
using omrix::data::CCCDBS_DataBase;
using omrix::util::Currency;

// ---------------------------------------------------------------- rows of 内訳出力

constexpr const char* kPrintColumns[] = {"表示番号名称", "名称１",   "名称２",  "名称３",
                                         "名称４",       "仕様１",   "仕様２",  "仕様３",
                                         "仕様４",       "単位名称", "内訳数量"};
constexpr const char* kPrintMoney[] = {"見積１単価", "見積１金額", "見積２単価", "見積２金額",
                                       "見積３単価", "見積３金額", "見積４単価", "見積４金額",
                                       "提出用単価", "提出用金額"};
constexpr const char* kPrintTail[] = {"頁名称", "数量計算式", "単価計算式", "社内備考", "社外備考"};

struct PrintRow {
    int id = 0;
    std::vector<std::string> texts;  // 11 + 5
    std::vector<Currency> money;     // 10
};

PrintRow makePrintRow(int id) {
    PrintRow row;
    row.id = id;
    std::string n = std::to_string(id);
    row.texts = {"Ａ－" + n,
                 "鉄筋コンクリート造　基礎工事 " + n,
                 "掘削　根切り",
                 "",
                 "",
                 "ＳＤ２９５Ａ　Ｄ１３",
                 "",
                 "",
                 "",
                 "ｍ３",
                 "      1,234.500",
                 "",
                 "",
                 "",
                 "社内 O'Neil",
                 ""};
    for (int k = 0; k < 10; ++k)
        row.money.push_back(Currency::fromRaw(static_cast<int64_t>(id) * 12345 + k * 10001));
    return row;
}

std::string quoted(const std::string& text) {
    return "'" + omrix::data::fnSqlQuote(text, 0) + "'";
}

std::string printInsertText(const PrintRow& row) {
    std::string sql =
        "Insert Into 内訳出力 (更新日, 更新操作者, 更新画面ＩＤ, 更新カウンタ, 削除区分, "
        "内訳名称ＩＤ, 内訳出力ＩＤ, ";
    for (const char* c : kPrintColumns) sql += std::string(c) + ", ";
    for (const char* c : kPrintMoney) sql += std::string(c) + ", ";
    sql += "表示No, 頁番号, 表示頁番号, ";
    for (const char* c : kPrintTail) sql += std::string(c) + ", ";
    sql += "送受信インデックス履歴ＩＤ,明細別材工共コード, 使用メーカー名, 使用商社名) Values (";
    sql += "GetDate(), 'bench', '', 0, '0', 1, " + std::to_string(row.id) + ", ";
    for (int i = 0; i < 11; ++i) sql += quoted(row.texts[static_cast<size_t>(i)]) + ", ";
    for (const Currency& m : row.money) sql += m.toString() + ", ";
    sql += std::to_string(row.id % 15 + 1) + ", " + std::to_string(row.id / 15 + 1) + ", " +
           std::to_string(row.id / 15 + 1) + ", ";
    for (int i = 11; i < 16; ++i) sql += quoted(row.texts[static_cast<size_t>(i)]) + ", ";
    sql += "0, '', '', '');";
    return sql;
}

std::string printInsertPrepared() {
    std::string sql =
        "Insert Into 内訳出力 (更新日, 更新操作者, 更新画面ＩＤ, 更新カウンタ, 削除区分, "
        "内訳名称ＩＤ, 内訳出力ＩＤ, ";
    for (const char* c : kPrintColumns) sql += std::string(c) + ", ";
    for (const char* c : kPrintMoney) sql += std::string(c) + ", ";
    sql += "表示No, 頁番号, 表示頁番号, ";
    for (const char* c : kPrintTail) sql += std::string(c) + ", ";
    sql += "送受信インデックス履歴ＩＤ, 明細別材工共コード, 使用メーカー名, 使用商社名) Values (";
    sql += "datetime('now', 'localtime'), ?, '', 0, '0', ?";
    for (int i = 0; i < 1 + 11 + 10 + 3 + 5 + 1 + 3; ++i) sql += ", ?";
    sql += ")";
    return omrix::data::foldSqlText(sql);
}

double writeThroughLayer(CCCDBS_DataBase& db, const std::vector<PrintRow>& rows) {
    auto send = [&db](std::string_view sql) {
        if (!db.fnExecute(sql)) std::fprintf(stderr, "failed: %s\n", db.lastErrorText().c_str());
    };
    send("Delete From 内訳出力");
    auto start = Clock::now();
    omrix::data::Transaction transaction(db);
    std::string batch;
    int inBatch = 0;
    for (const PrintRow& row : rows) {
        batch += printInsertText(row);
        batch += "\r\n";
        if (++inBatch == 100) {
            send(batch);
            batch.clear();
            inBatch = 0;
        }
    }
    if (inBatch > 0) send(batch);
    if (!transaction.commit()) std::fprintf(stderr, "commit failed\n");
    return secondsSince(start);
}

double writeDirect(sqlite3* db, const std::vector<PrintRow>& rows) {
    sqlite3_exec(db, "DELETE FROM 内訳出力", nullptr, nullptr, nullptr);
    auto start = Clock::now();
    sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    if (sqlite3_prepare_v2(db, printInsertPrepared().c_str(), -1, &insert, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "prepare: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
    for (const PrintRow& row : rows) {
        int k = 1;
        sqlite3_bind_text(insert, k++, "bench", -1, SQLITE_STATIC);
        sqlite3_bind_int(insert, k++, 1);
        sqlite3_bind_int(insert, k++, row.id);
        for (int i = 0; i < 11; ++i)
            sqlite3_bind_text(insert, k++, row.texts[static_cast<size_t>(i)].c_str(), -1,
                              SQLITE_STATIC);
        for (const Currency& m : row.money) {
            if (m.raw() % Currency::kScale == 0)
                sqlite3_bind_int64(insert, k++, m.wholeUnits());
            else
                sqlite3_bind_double(insert, k++, m.toDouble());
        }
        sqlite3_bind_int(insert, k++, row.id % 15 + 1);
        sqlite3_bind_int(insert, k++, row.id / 15 + 1);
        sqlite3_bind_int(insert, k++, row.id / 15 + 1);
        for (int i = 11; i < 16; ++i)
            sqlite3_bind_text(insert, k++, row.texts[static_cast<size_t>(i)].c_str(), -1,
                              SQLITE_STATIC);
        sqlite3_bind_int(insert, k++, 0);
        for (int i = 0; i < 3; ++i) sqlite3_bind_text(insert, k++, "", 0, SQLITE_STATIC);
        if (sqlite3_step(insert) != SQLITE_DONE)
            std::fprintf(stderr, "step: %s\n", sqlite3_errmsg(db));
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    return secondsSince(start);
}

// ---------------------------------------------------------------- rows of 内訳

enum class Kind { Long, Short, Real, Money, Text };
struct Column {
    const char* name;
    Kind kind;
};

// The columns the breakdown reads for every line, with the getter it uses for each.
const std::vector<Column>& breakdownColumns() {
    static const std::vector<Column> columns = [] {
        std::vector<Column> c = {{"更新日", Kind::Text},
                                 {"更新操作者", Kind::Text},
                                 {"更新画面ＩＤ", Kind::Text},
                                 {"更新カウンタ", Kind::Short},
                                 {"削除区分", Kind::Text},
                                 {"内訳名称ＩＤ", Kind::Long},
                                 {"内訳ＩＤ", Kind::Long},
                                 {"種別フラグ", Kind::Short},
                                 {"明細データ属性コード", Kind::Text},
                                 {"親内訳ＩＤ", Kind::Long},
                                 {"合計見出し行ＩＤ", Kind::Long},
                                 {"継続親内訳ＩＤ", Kind::Long},
                                 {"継続行No", Kind::Short},
                                 {"棟別", Kind::Short},
                                 {"移動元内訳ＩＤ", Kind::Long},
                                 {"種目ＩＤ", Kind::Long},
                                 {"科目ＩＤ", Kind::Long},
                                 {"部位ＩＤ", Kind::Long},
                                 {"細目ＩＤ", Kind::Long},
                                 {"仕様規格ＩＤ1", Kind::Long},
                                 {"仕様規格ＩＤ2", Kind::Long},
                                 {"仕様規格ＩＤ3", Kind::Long},
                                 {"仕様規格ＩＤ4", Kind::Long},
                                 {"内外区分", Kind::Text},
                                 {"表示番号名称", Kind::Text},
                                 {"名称１", Kind::Text},
                                 {"名称２", Kind::Text},
                                 {"名称３", Kind::Text},
                                 {"名称４", Kind::Text},
                                 {"仕様１", Kind::Text},
                                 {"仕様２", Kind::Text},
                                 {"仕様３", Kind::Text},
                                 {"仕様４", Kind::Text},
                                 {"単位ＩＤ", Kind::Long},
                                 {"単位名称", Kind::Text},
                                 {"拾い数量", Kind::Real},
                                 {"内訳数量", Kind::Real},
                                 {"他社担当者ＭＩＤ", Kind::Long},
                                 {"受注者単価", Kind::Money},
                                 {"受注者割掛加算額", Kind::Money},
                                 {"見積１単価", Kind::Money},
                                 {"見積１金額", Kind::Money},
                                 {"見積２単価", Kind::Money},
                                 {"見積２金額", Kind::Money},
                                 {"見積３単価", Kind::Money},
                                 {"見積３金額", Kind::Money},
                                 {"見積４単価", Kind::Money},
                                 {"見積４金額", Kind::Money},
                                 {"提出用単価", Kind::Money},
                                 {"提出用金額", Kind::Money},
                                 {"拾い種目ＩＤ", Kind::Long},
                                 {"拾い科目ＩＤ", Kind::Long},
                                 {"表示No", Kind::Long},
                                 {"頁名称", Kind::Text},
                                 {"数量計算式", Kind::Text},
                                 {"受注者単価計算式", Kind::Text},
                                 {"見積１単価計算式", Kind::Text},
                                 {"見積２単価計算式", Kind::Text},
                                 {"見積３単価計算式", Kind::Text},
                                 {"見積４単価計算式", Kind::Text},
                                 {"提出用単価計算式", Kind::Text},
                                 {"社内備考", Kind::Text},
                                 {"社外備考", Kind::Text},
                                 {"補助数量", Kind::Real},
                                 {"補助数量単位", Kind::Text},
                                 {"設計記号", Kind::Text},
                                 {"工種＿科目コード", Kind::Text},
                                 {"部位区分", Kind::Text},
                                 {"定価", Kind::Money},
                                 {"単価掛率", Kind::Real},
                                 {"仕分け区分", Kind::Text},
                                 {"建設資機材コード", Kind::Text},
                                 {"使用期間", Kind::Real},
                                 {"使用期間単位", Kind::Text},
                                 {"使用メーカーコード", Kind::Text},
                                 {"使用メーカー名", Kind::Text},
                                 {"使用商社コード", Kind::Text},
                                 {"使用商社名", Kind::Text},
                                 {"補助明細コード", Kind::Text},
                                 {"明細別材工共コード", Kind::Text},
                                 {"取引コード", Kind::Text},
                                 {"明細番号", Kind::Text},
                                 {"明細番号２", Kind::Text}};
        return c;
    }();
    return columns;
}

void fillBreakdown(sqlite3* db, int rows) {
    sqlite3_exec(db, "DELETE FROM 内訳; BEGIN", nullptr, nullptr, nullptr);
    std::string sql = "INSERT INTO 内訳 (";
    const auto& columns = breakdownColumns();
    for (size_t i = 0; i < columns.size(); ++i)
        sql += (i ? ", " : "") + std::string(columns[i].name);
    sql += ") VALUES (";
    for (size_t i = 0; i < columns.size(); ++i) sql += i ? ", ?" : "?";
    sql += ")";
    sql = omrix::data::foldSqlText(sql);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &insert, nullptr);
    for (int r = 1; r <= rows; ++r) {
        for (size_t i = 0; i < columns.size(); ++i) {
            int k = static_cast<int>(i) + 1;
            std::string name = columns[i].name;
            switch (columns[i].kind) {
                case Kind::Long:
                    sqlite3_bind_int(insert, k, name == "内訳名称ＩＤ" ? 1 : r);
                    break;
                case Kind::Short:
                    sqlite3_bind_int(insert, k, r % 300);
                    break;
                case Kind::Real:
                    sqlite3_bind_double(insert, k, r * 0.25);
                    break;
                case Kind::Money:
                    sqlite3_bind_double(insert, k, r * 10.5);
                    break;
                case Kind::Text:
                    if (name == "削除区分")
                        sqlite3_bind_text(insert, k, "0", 1, SQLITE_STATIC);
                    else if (name == "更新日")
                        sqlite3_bind_text(insert, k, "2024-04-01 09:30:00", -1, SQLITE_STATIC);
                    else
                        sqlite3_bind_text(insert, k, "鉄筋コンクリート造 基礎", -1, SQLITE_STATIC);
                    break;
            }
        }
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
}

constexpr const char* kBreakdownQuery =
    "Select * From 内訳 Where 削除区分 = '0' And 内訳名称ＩＤ = 1 Order By 表示No";

struct Sink {
    int64_t numbers = 0;
    double reals = 0;
    size_t textBytes = 0;
};

double readThroughLayer(CCCDBS_DataBase& db, Sink& sink, int& rows) {
    auto start = Clock::now();
    rows = 0;
    auto rs = db.fnOpenRecordSet(kBreakdownQuery);
    if (!rs) return 0;
    const auto& columns = breakdownColumns();
    while (!rs->pbEOF()) {
        for (const Column& c : columns) {
            switch (c.kind) {
                case Kind::Long:
                    sink.numbers += rs->fnGetInt(c.name);
                    break;
                case Kind::Short:
                    sink.numbers += rs->fnGetSmallInt(c.name);
                    break;
                case Kind::Real:
                    sink.reals += rs->fnGetHdouble(c.name);
                    break;
                case Kind::Money:
                    sink.numbers += rs->fnGetMoney(c.name).raw();
                    break;
                case Kind::Text:
                    sink.textBytes += rs->fnGetChar(c.name).size();
                    break;
            }
        }
        ++rows;
        rs->fnMoveNext();
    }
    rs->fnClose();
    return secondsSince(start);
}

double readDirect(sqlite3* db, Sink& sink) {
    auto start = Clock::now();
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db, omrix::data::foldSqlText(kBreakdownQuery).c_str(), -1, &select, nullptr);
    const auto& columns = breakdownColumns();
    // Positions found once by name, as a careful caller of the C API would.
    std::vector<int> position(columns.size(), -1);
    for (size_t i = 0; i < columns.size(); ++i) {
        std::string key = omrix::data::columnNameKey(columns[i].name);
        for (int k = 0; k < sqlite3_column_count(select); ++k) {
            if (omrix::data::columnNameKey(sqlite3_column_name(select, k)) == key) position[i] = k;
        }
    }
    while (sqlite3_step(select) == SQLITE_ROW) {
        for (size_t i = 0; i < columns.size(); ++i) {
            int k = position[i];
            switch (columns[i].kind) {
                case Kind::Long:
                case Kind::Short:
                    sink.numbers += sqlite3_column_int(select, k);
                    break;
                case Kind::Real:
                    sink.reals += sqlite3_column_double(select, k);
                    break;
                case Kind::Money:
                    sink.numbers += Currency::fromDouble(sqlite3_column_double(select, k))->raw();
                    break;
                case Kind::Text: {
                    auto text = reinterpret_cast<const char*>(sqlite3_column_text(select, k));
                    std::string value = text != nullptr ? text : "";
                    sink.textBytes += value.size();
                    break;
                }
            }
        }
    }
    sqlite3_finalize(select);
    return secondsSince(start);
}

// ---------------------------------------------------------------- set-up

std::string makeDatabase(const std::string& folder, const std::string& name, const char* journal) {
    std::string path = folder + "/" + name;
    std::filesystem::remove(path);
    std::string error;
    CCCDBS_DataBase db;
    if (!omrix::data::createDatabaseFile(path) || !db.fnOpen("sqlite", path, "", "", 1) ||
        !omrix::data::createSchema(db, omrix::data::embeddedSchemaSql(), false)) {
        std::fprintf(stderr, "cannot set up %s: %s %s\n", path.c_str(), error.c_str(),
                     db.lastErrorText().c_str());
        std::exit(1);
    }
    if (!db.fnExecute(std::string("PRAGMA journal_mode = ") + journal)) {
        std::fprintf(stderr, "journal mode %s refused\n", journal);
    }
    return path;
}

sqlite3* openDirect(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_busy_timeout(db, 30000);
    return db;
}

}  // namespace

int main(int argc, char** argv) {
    int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    std::string folder = argc > 2 ? argv[2] : std::filesystem::temp_directory_path().string();
    folder += "/omrix_data_bench_" + std::to_string(getpid());
    std::filesystem::create_directories(folder);

    std::vector<PrintRow> printRows;
    for (int i = 1; i <= rows; ++i) printRows.push_back(makePrintRow(i));

    std::printf("rows: %d\n", rows);
    for (const char* journal : {"DELETE", "WAL"}) {
        std::string path =
            makeDatabase(folder, std::string("bench_") + journal + ".sqlite", journal);
        CCCDBS_DataBase db;
        if (!db.fnOpen("sqlite", path, "", "", 1)) {
            std::fprintf(stderr, "cannot open %s\n", path.c_str());
            return 1;
        }
        sqlite3* direct = openDirect(path);

        double layer = writeThroughLayer(db, printRows);
        double prepared = writeDirect(direct, printRows);
        std::printf(
            "[%s] write 内訳出力: text statements %.0f rows/s, prepared %.0f rows/s, ratio %.2f\n",
            journal, rows / layer, rows / prepared, layer / prepared);

        if (std::string(journal) == "DELETE") {
            fillBreakdown(direct, rows);
            Sink a, b;
            int read = 0;
            double viaLayer = readThroughLayer(db, a, read);
            double viaApi = readDirect(direct, b);
            std::printf(
                "[%s] read 内訳 (%zu columns by name): record set %.0f rows/s, "
                "sqlite3_step %.0f rows/s, ratio %.2f%s\n",
                journal, breakdownColumns().size(), read / viaLayer, rows / viaApi,
                viaLayer / viaApi,
                a.numbers == b.numbers && a.textBytes == b.textBytes ? "" : " (MISMATCH)");
        }
        sqlite3_close(direct);
        db.fnClose();
    }
    std::filesystem::remove_all(folder);
    return 0;
}
