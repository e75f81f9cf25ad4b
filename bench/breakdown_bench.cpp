// Loading a breakdown as start-up does: the select of every line, the tree build and
// the recalculation of the amounts, for 10,000 and 100,000 lines of a generated
// breakdown in a SQLite file. Each size runs in a child process of its own, so that
// its peak memory (getrusage) is its own. Also: formulas through one kept calculator
// against a new calculator per formula.
// Usage: breakdown_bench [folder]; prints times, peak memory and ratios.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_clock.h"
#include "breakdown/tables/omrix_dbt_uchiwake.h"
#include "breakdown/tree/uchiwake_loader.h"
#include "breakdown/tree/ucw_tree.h"
#include "context/app_context.h"
#include "data/core/database.h"
#include "data/core/schema.h"
#include "platform/calculator.h"

namespace {

using namespace omrix;
using bench::Clock;
using bench::cpuSeconds;
using bench::secondsSince;

constexpr int32_t kNameId = 1;

struct Line {
    int32_t id, parent;
    int flag, hyoji;
};

// One statement per line, 200 to a text, in one transaction. Work types of ten
// subjects, subjects of items; every tenth item is followed by a continuation line and
// every subject closes with a total heading of three items and its total.
bool generate(data::CCCDBS_DataBase& db, int32_t lines) {
    std::string batch;
    int count = 0;
    auto add = [&](const Line& l, bool priced, const std::string& formula) {
        std::string n = std::to_string(l.id);
        batch +=
            "Insert Into 内訳 (内訳名称ＩＤ, 内訳ＩＤ, 親内訳ＩＤ, 種別フラグ, 表示No, 名称１, "
            "名称２, 仕様１, 単位名称, 内訳数量, 見積１単価, 見積２単価, 提出用単価, "
            "数量計算式, 社内備考) Values (" +
            std::to_string(kNameId) + ", " + n + ", " + std::to_string(l.parent) + ", " +
            std::to_string(l.flag) + ", " + std::to_string(l.hyoji) + ", '鉄筋コンクリート工事 " +
            n + "', '基礎　地中梁', 'ＳＤ２９５Ａ　Ｄ１３', '" + (priced ? "ｔ" : "") + "', " +
            (priced ? "2.5" : "0") + ", " + (priced ? "12345.6789" : "0") + ", " +
            (priced ? "11000" : "0") + ", " + (priced ? "10500.5" : "0") + ", '" + formula +
            "', '社内 " + n + "');\n";
        if (++count % 200 == 0) {
            bool ok = db.fnExecute(batch);
            batch.clear();
            if (!ok) return false;
        }
        return true;
    };
    data::Transaction transaction(db);
    if (!transaction.begun()) return false;
    int32_t id = 1;
    bool ok = add({id, 0, 0, 0}, false, "");
    int32_t work = 0, subject = 0, hyoji = 0;
    while (ok && id < lines) {
        if ((id - 1) % 600 == 0) {
            work = ++id;
            ok = add({work, 1, 1, hyoji++}, false, "");
            continue;
        }
        if ((id - 1) % 60 == 1) {
            subject = ++id;
            ok = add({subject, work, 2, hyoji++}, false, "");
            continue;
        }
        if ((id - 1) % 60 == 50 && id + 5 <= lines) {
            int32_t heading = ++id;
            ok = add({heading, subject, 0x20, hyoji++}, false, "");
            for (int k = 0; ok && k < 3; ++k) ok = add({++id, heading, 8, hyoji++}, true, "");
            if (ok) ok = add({++id, subject, 0x40, hyoji++}, false, "");
            continue;
        }
        ++id;
        ok = add({id, subject, 8, hyoji++}, true, id % 7 == 0 ? "面積*2+外周" : "");
        if (ok && id % 10 == 0 && id < lines) ok = add({++id, subject, 8, hyoji++}, false, "");
    }
    if (ok && !batch.empty()) ok = db.fnExecute(batch);
    return ok && transaction.commit();
}

struct Result {
    double select = 0, build = 0, recalc = 0, cpu = 0;
    long baseKb = 0, peakKb = 0;
    int32_t lines = 0;
};

// Runs in the child: the load as start-up does it.
Result measure(const std::string& ini) {
    Result r;
    auto& context = context::appContext();
    context.Database = std::make_shared<data::CCCDBS_DataBase>();
    if (!context.Database->fnOpenFromIni(ini)) return r;
    context.UchiwakeName.内訳名称ＩＤ = kNameId;
    for (auto [name, value] : {std::pair{"面積", 120.5}, {"外周", 44.0}, {"階高", 3.2}}) {
        records::BukkenHensuRec row;
        row.変数名 = name;
        row.数量 = value;
        context.BukkenHensu.push_back(row);
    }
    r.baseKb = bench::peakMemoryKiB();
    double cpuStart = cpuSeconds();
    auto start = Clock::now();
    breakdown::UchiwakeRows rows;
    if (!breakdown::fnOmrix_DBT_Uchiwake_Select201(rows, kNameId, true)) return r;
    r.select = secondsSince(start);
    r.lines = static_cast<int32_t>(rows.size()) - 1;
    start = Clock::now();
    std::shared_ptr<breakdown::COmrixEditUcw> root;
    if (!breakdown::fnBuildUchiwakeTree(rows, root, 0)) return r;
    r.build = secondsSince(start);
    start = Clock::now();
    root->sbMoneyReCalc(context.BukkenHensu);
    r.recalc = secondsSince(start);
    r.cpu = cpuSeconds() - cpuStart;
    r.peakKb = bench::peakMemoryKiB();
    context.UchiwakeRoot = root;
    return r;
}

Result measureInChild(const std::string& ini) {
    int pipeFd[2];
    if (pipe(pipeFd) != 0) return {};
    pid_t child = fork();
    if (child == 0) {
        close(pipeFd[0]);
        Result r = measure(ini);
        ssize_t written = write(pipeFd[1], &r, sizeof r);
        _exit(written == static_cast<ssize_t>(sizeof r) ? 0 : 1);
    }
    close(pipeFd[1]);
    Result r;
    if (read(pipeFd[0], &r, sizeof r) != static_cast<ssize_t>(sizeof r)) r = {};
    close(pipeFd[0]);
    waitpid(child, nullptr, 0);
    return r;
}

std::string makeDatabase(const std::filesystem::path& folder, int32_t lines) {
    std::string name = "breakdown" + std::to_string(lines);
    std::string file = (folder / (name + ".sqlite")).string();
    std::string ini = (folder / (name + ".INI")).string();
    std::filesystem::remove(file);
    FILE* out = std::fopen(ini.c_str(), "w");
    if (out == nullptr) return {};
    std::fprintf(out, "[DATABASE]\nSERVER_NAME=sqlite\nDB_NAME=%s.sqlite\n", name.c_str());
    std::fclose(out);
    std::string error;
    if (!data::createDatabaseFile(file)) return {};
    data::CCCDBS_DataBase db;
    if (!db.fnOpenFromIni(ini)) return {};
    if (!data::createSchema(db, data::embeddedSchemaSql(), false)) return {};
    if (!generate(db, lines)) return {};
    return ini;
}

void calculatorRates() {
    constexpr int kFormulas = 20000;
    auto start = Clock::now();
    platform::Calculator kept;
    double sum = 0;
    for (int i = 0; i < kFormulas; ++i) {
        sum += kept.evaluate("120.5*2+44+" + std::to_string(i % 100)).value_or(0);
    }
    double keptSeconds = secondsSince(start);
    start = Clock::now();
    for (int i = 0; i < kFormulas; ++i) {
        std::string text = "120.5*2+44+" + std::to_string(i % 100);
        double result = 0;
        platform::QUILAN00_Calculation(text, 2, result);
        sum -= result;
    }
    double freshSeconds = secondsSince(start);
    std::printf("calculator: %d formulas, kept parser %.1f ms, parser per call %.1f ms (%.1fx)%s\n",
                kFormulas, keptSeconds * 1e3, freshSeconds * 1e3, freshSeconds / keptSeconds,
                sum == 0 ? "" : " (sums differ!)");
}

}  // namespace

int main(int argc, char** argv) {
    std::filesystem::path folder =
        argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path();
    std::filesystem::create_directories(folder);
    calculatorRates();
    double total10k = 0, cpu10k = 0;
    for (int32_t lines : {10000, 100000}) {
        std::string ini = makeDatabase(folder, lines);
        if (ini.empty()) {
            std::printf("could not make the database of %d lines in %s\n", lines,
                        folder.string().c_str());
            return 1;
        }
        Result r = measureInChild(ini);
        if (r.lines == 0) {
            std::printf("load of %d lines failed\n", lines);
            return 1;
        }
        double total = r.select + r.build + r.recalc;
        double perLine = (r.peakKb - r.baseKb) * 1024.0 / r.lines;
        std::printf(
            "%6d lines: select %.3f s, tree %.3f s, recalculation %.3f s, total %.3f s "
            "(CPU %.3f s); peak %ld KB (%ld KB before loading), %.0f bytes per line\n",
            r.lines, r.select, r.build, r.recalc, total, r.cpu, r.peakKb, r.baseKb, perLine);
        if (lines == 10000) {
            total10k = total;
            cpu10k = r.cpu;
        } else {
            std::printf(
                "10x the lines took %.1fx the time, %.1fx the CPU time (aim: under 1 s, "
                "under 2048 bytes per line, at most 12x)\n",
                total / total10k, r.cpu / cpu10k);
        }
        if (std::getenv("OMRIX_BENCH_KEEP") == nullptr) {
            std::filesystem::remove(folder / ("breakdown" + std::to_string(lines) + ".sqlite"));
            std::filesystem::remove(ini);
        }
    }
    return 0;
}
