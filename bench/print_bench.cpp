// The print rows of a 100,000-line breakdown: converting each line and building its
// INSERT are done once per row of every print run.
//
// First a whole print run of a demo breakdown (100,000 lines unless --lines=N; none
// with --no-run): the print rows generated with every level ticked and written to
// 内訳出力, the time of each step, and the write's rate beside a prepared-statement
// insert of the same rows into the same file. Then the micro benchmarks.

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_clock.h"
#include "breakdown/tables/omrix_dbt_uchiwake_name.h"
#include "breakdown/tables/uchiwake_records.h"
#include "breakdown/tree/uchiwake_loader.h"
#include "context/app_context.h"
#include "data/core/database.h"
#include "data/core/schema.h"
#include "data/drivers/sql_text.h"
#include "data/tables/record_conventions.h"
#include "demo/demo_database.h"
#include "level_tree/level_tree_model.h"
#include "print/print_convert.h"
#include "print/print_row.h"
#include "print/print_rows_generator.h"
#include "print/print_rows_write.h"
#include "project/tables/bukken_hensu.h"

namespace {

using namespace omrix;

breakdown::UchiwakeRec typicalLine() {
    breakdown::UchiwakeRec line;
    line.種別フラグ = 8;
    line.表示番号名称 = "12";
    line.名称１ = "鉄筋コンクリート造　基礎";
    line.名称２ = "型枠（普通合板）";
    line.仕様１ = "打放し面 B種 ｺﾝﾊﾟﾈ";
    line.単位名称 = "㎡";
    line.内訳数量 = 1234.5;
    line.数量計算式 = "12.5*98.76";
    line.見積１単価 = *util::Currency::fromUnits(4500);
    line.見積１金額 = *util::Currency::fromUnits(5555250);
    line.見積１単価計算式 = "4500";
    line.社外備考 = "搬入費含む\r\n夜間作業";
    return line;
}

print::PrintOptionRec b5Options() {
    print::PrintOptionRec options;
    options.nPageType = print::kPageTypeNames;
    options.nChofukuShoryaku = print::kOptionOn;
    print::sbSetPrintType(options, "B5");
    return options;
}

void BM_ConvertPrintRow(benchmark::State& state) {
    const auto line = typicalLine();
    const auto above = typicalLine();
    const auto options = b5Options();
    print::PrintRow row;
    int32_t id = 0;
    for (auto _ : state) {
        ++id;
        print::fnConvertPrintRow({1, id, id / 15, id / 15, id % 15 + 1, "基礎"}, line, options,
                                 &above, row);
        benchmark::DoNotOptimize(row);
    }
}
BENCHMARK(BM_ConvertPrintRow);

void BM_BuildPrintRowInsert(benchmark::State& state) {
    context::appContext().TantoshaName = "tanaka";
    print::PrintRow row;
    print::fnConvertPrintRow({1, 1, 1, 1, 1, "基礎"}, typicalLine(), b5Options(), nullptr, row);
    for (auto _ : state) benchmark::DoNotOptimize(print::BuildPrintRowInsert(row));
    state.SetBytesProcessed(state.iterations() *
                            static_cast<int64_t>(print::BuildPrintRowInsert(row).size()));
}
BENCHMARK(BM_BuildPrintRowInsert);

// A 100-row command as the batched insert builds it, text buffer reused.
void BM_AppendInsertBatch(benchmark::State& state) {
    context::appContext().TantoshaName = "tanaka";
    print::PrintRow row;
    print::fnConvertPrintRow({1, 1, 1, 1, 1, "基礎"}, typicalLine(), b5Options(), nullptr, row);
    const std::string audit = data::fnAuditInsertValues();
    std::string pending;
    for (auto _ : state) {
        pending.clear();
        for (int i = 0; i < 100; ++i) {
            print::appendPrintRowInsert(pending, row, audit);
            pending += "\r\n";
        }
        benchmark::DoNotOptimize(pending.data());
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_AppendInsertBatch);

// Memory of the run's rows: a 100,000-line statement holds this many bytes per row
// before its texts.
void BM_PrintRowSize(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(sizeof(print::PrintRow));
    state.counters["bytes_per_row"] = static_cast<double>(sizeof(print::PrintRow));
}
BENCHMARK(BM_PrintRowSize);

using bench::Clock;
using bench::cpuSeconds;
using bench::secondsSince;

// A fresh SQLite file with the suite's tables and the demo in it, opened as the
// program's database.
bool makeDemo(const std::filesystem::path& folder, int32_t lines, std::string& file) {
    file = (folder / "print.sqlite").string();
    const std::string ini = (folder / "OMRIX.INI").string();
    std::ofstream(ini) << "[DATABASE]\nSERVER_NAME=sqlite\nDB_NAME=print.sqlite\n";
    auto& context = context::appContext();
    context.IniPath = ini;
    context.TantoshaName = "bench";
    if (!data::createDatabaseFile(file)) return false;
    context.Database = std::make_shared<data::CCCDBS_DataBase>();
    if (!context.Database->fnOpenFromIni(ini)) return false;
    if (!data::createSchema(*context.Database, data::embeddedSchemaSql(), false)) return false;
    demo::DemoOptions options;
    options.lines = lines;
    if (auto made = demo::createDemoDatabase(*context.Database, options); !made) {
        std::fprintf(stderr, "demo: %s\n", made.failure().text().c_str());
        return false;
    }
    return true;
}

// Start-up's part: the breakdown loaded with the project's variables and recalculated.
bool loadBreakdown() {
    auto& context = context::appContext();
    if (!breakdown::fnOmrix_DBT_UchiwakeName_SelectByID(demo::kDemoUchiwakeNameId,
                                                        context.UchiwakeName)) {
        return false;
    }
    context.UchiwakeNameID = context.UchiwakeName.内訳名称ＩＤ;
    context.UchiwakeRoot = breakdown::fnLoadUchiwake();
    if (!context.UchiwakeRoot) return false;
    if (!project::fnOmrix_DBT_BukkenHensu_Select(*context.Database, demo::kDemoBukkenNo,
                                                 context.BukkenHensu)) {
        return false;
    }
    context.UchiwakeRoot->sbMoneyReCalc(context.BukkenHensu);
    return true;
}

// The same rows through one prepared statement with bound values, in one transaction:
// what the write is measured against.
bool preparedInsert(const std::string& file, const print::PrintRows& rows) {
    const std::string sql = data::foldSqlText(
        "Insert Into 内訳出力 (更新日, 更新操作者, 更新画面ＩＤ, 更新カウンタ, 削除区分, "
        "内訳名称ＩＤ, "
        "内訳出力ＩＤ, 表示番号名称, 名称１, 名称２, 名称３, 名称４, 仕様１, 仕様２, 仕様３, "
        "仕様４, "
        "単位名称, 内訳数量, 見積１単価, 見積１金額, 見積２単価, 見積２金額, 見積３単価, "
        "見積３金額, "
        "見積４単価, 見積４金額, 提出用単価, 提出用金額, 表示No, 頁番号, 表示頁番号, 頁名称, "
        "数量計算式, 単価計算式, 社内備考, 社外備考, 送受信インデックス履歴ＩＤ, "
        "明細別材工共コード, "
        "使用メーカー名, 使用商社名) Values (datetime('now', 'localtime'), ?, '', 0, '0', ?, ?, ?, "
        "?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
        "?, ?, ?)");
    sqlite3* db = nullptr;
    sqlite3_stmt* insert = nullptr;
    bool ok = sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
              sqlite3_busy_timeout(db, 5000) == SQLITE_OK &&
              sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK &&
              sqlite3_prepare_v2(db, sql.c_str(), -1, &insert, nullptr) == SQLITE_OK;
    std::vector<std::string> texts;
    for (std::size_t i = 0; ok && i < rows.size(); ++i) {
        const print::PrintRow& r = rows[i];
        texts = {r.表示番号名称.str(), r.名称１.str(),   r.名称２.str(),  r.名称３.str(),
                 r.名称４.str(),       r.仕様１.str(),   r.仕様２.str(),  r.仕様３.str(),
                 r.仕様４.str(),       r.単位名称.str(), r.内訳数量.str()};
        int at = 1;
        sqlite3_bind_text(insert, at++, "bench", -1, SQLITE_STATIC);
        sqlite3_bind_int(insert, at++, r.内訳名称ＩＤ);
        sqlite3_bind_int(insert, at++, r.内訳出力ＩＤ);
        for (const auto& t : texts) {
            sqlite3_bind_text(insert, at++, t.c_str(), static_cast<int>(t.size()), SQLITE_STATIC);
        }
        for (util::Currency c :
             {r.見積１単価, r.見積１金額, r.見積２単価, r.見積２金額, r.見積３単価, r.見積３金額,
              r.見積４単価, r.見積４金額, r.提出用単価, r.提出用金額}) {
            sqlite3_bind_double(insert, at++, c.toDouble());
        }
        sqlite3_bind_int(insert, at++, r.表示No);
        sqlite3_bind_int(insert, at++, r.頁番号);
        sqlite3_bind_int(insert, at++, r.表示頁番号);
        const std::string tail[] = {r.頁名称.str(), r.数量計算式.str(), r.単価計算式.str(),
                                    r.社内備考.str(), r.社外備考.str()};
        for (const auto& t : tail) {
            sqlite3_bind_text(insert, at++, t.c_str(), static_cast<int>(t.size()),
                              SQLITE_TRANSIENT);
        }
        sqlite3_bind_int(insert, at++, r.送受信インデックス履歴ＩＤ);
        for (int k = 0; k < 3; ++k) sqlite3_bind_text(insert, at++, "", 0, SQLITE_STATIC);
        ok = sqlite3_step(insert) == SQLITE_DONE && sqlite3_reset(insert) == SQLITE_OK;
    }
    sqlite3_finalize(insert);
    ok = ok && sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

bool printRunFigures(int32_t lines) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("omrix_print_bench_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::string file;
    auto start = Clock::now();
    bool ok = makeDemo(folder, lines, file);
    const double demoSeconds = secondsSince(start);

    start = Clock::now();
    ok = ok && loadBreakdown();
    const double loadSeconds = secondsSince(start);

    start = Clock::now();
    level_tree::LevelTreeModel tree;
    if (ok) tree.sbCreateTree(context::appContext().UchiwakeRoot.get(), 0);
    for (int32_t i = 1; i <= tree.count(); ++i) tree.setChecked(i, true);
    const double treeSeconds = secondsSince(start);

    // omrix-print-export --levels listing every heading: one look-up by tag per ID.
    std::vector<std::string> tags;
    for (int32_t i = 1; i <= tree.count(); ++i) tags.push_back(tree.node(i).tag);
    start = Clock::now();
    for (const std::string& tag : tags) {
        if (const level_tree::LevelNode* node = tree.fnGetTreeObject(tag)) {
            tree.setChecked(node->index, true);
        }
    }
    const double byTagSeconds = secondsSince(start);

    print::PrintOptionRec options;
    options.nPageStart = 1;
    options.nPageType = print::kPageTypeNames;
    options.nChofukuShoryaku = print::kOptionOn;
    options.nBesshiPrint = print::kOptionOn;
    options.nBesshiMode = print::kBesshiAndAll;
    print::sbSetPrintType(options, "B5");
    print::PrintRows rows;
    // Wall and processor time: the machine may be shared.
    const double cpuStart = cpuSeconds();
    start = Clock::now();
    ok = ok && print::fnCreatePrintRows(options, rows, tree);
    const double generateSeconds = secondsSince(start);
    const double generateCpu = cpuSeconds() - cpuStart;

    // Each write into an empty table, three times, alternating: the best of each.
    auto& db = *context::appContext().Database;
    double writeSeconds = 0;
    double preparedSeconds = 0;
    for (int round = 0; ok && round < 3; ++round) {
        ok = db.fnExecute("Delete From 内訳出力;");
        start = Clock::now();
        ok = ok && print::fnOmrix_Print_Print_CreatePrintUchiwakeInf(rows);
        const double write = secondsSince(start);
        ok = ok && db.fnExecute("Delete From 内訳出力;");
        start = Clock::now();
        ok = ok && preparedInsert(file, rows);
        const double prepared = secondsSince(start);
        if (round == 0 || write < writeSeconds) writeSeconds = write;
        if (round == 0 || prepared < preparedSeconds) preparedSeconds = prepared;
    }

    context::resetAppContext();
    std::filesystem::remove_all(folder);
    if (!ok) {
        std::fprintf(stderr, "the print run of %d lines failed\n", lines);
        return false;
    }
    const double n = static_cast<double>(rows.size());
    std::printf("print run of a %d-line demo breakdown, every level ticked\n", lines);
    std::printf("  demo written             %8.3f s\n", demoSeconds);
    std::printf("  breakdown loaded         %8.3f s\n", loadSeconds);
    std::printf("  level tree               %8.3f s  (%d nodes)\n", treeSeconds, tree.count());
    std::printf("  every node ticked by tag %8.3f s  (--levels listing them all; aim: as fast)\n",
                byTagSeconds);
    std::printf(
        "  print rows generated     %8.3f s  (processor %.3f s; %zu rows; aim under 0.5 s)\n",
        generateSeconds, generateCpu, rows.size());
    std::printf("  rows written, best of 3  %8.3f s  %8.0f rows/s\n", writeSeconds,
                n / writeSeconds);
    std::printf("  prepared insert, best    %8.3f s  %8.0f rows/s\n", preparedSeconds,
                n / preparedSeconds);
    std::printf("  write / prepared         %8.2f x  (aim within 3 x)\n",
                writeSeconds / preparedSeconds);
    std::printf("  peak memory              %8ld MB\n\n", bench::peakMemoryKiB() / 1024);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int32_t lines = 100000;
    bool run = true;
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--lines=", 8) == 0) {
            lines = std::atoi(argv[i] + 8);
        } else if (std::strcmp(argv[i], "--no-run") == 0) {
            run = false;
        } else {
            rest.push_back(argv[i]);
        }
    }
    if (run && !printRunFigures(lines)) return 1;
    int count = static_cast<int>(rest.size());
    benchmark::Initialize(&count, rest.data());
    if (benchmark::ReportUnrecognizedArguments(count, rest.data())) return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
