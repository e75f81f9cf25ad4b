// omrix-print-export as a program: a demo database made with omrix-db in a fresh
// folder, the built binary run on it, its exit status, its standard error and its PDFs.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "context/temp_folder.h"
#include "export/program_output.h"

namespace omrix::apps {
namespace {

namespace fs = std::filesystem;

using Result = testing::ProgramRun;
using testing::capture;
using testing::shellQuoted;

bool holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class PrintExport : public ::testing::Test {
  protected:
    void SetUp() override {
        ini = folder.file("OMRIX.INI");
        testing::writeBytes(ini,
                            "[DATABASE]\nSERVER_NAME=sqlite\nDB_NAME=demo.sqlite\nUSER_NAME=\n"
                            "PASSWORD=\nSQL_DNS=\n[KALVERON]\nTANTOSHA=demo\n"
                            "PRINTCOMAPNYNAME=株式会社オムリクス建設  \n");
        int status = -1;
        std::string log =
            capture(shellQuoted(OMRIX_DB_PROGRAM) + " init --ini " + shellQuoted(ini) +
                        " 2>&1 && " + shellQuoted(OMRIX_DB_PROGRAM) + " demo --ini " +
                        shellQuoted(ini) + " --lines 300 2>&1",
                    status);
        ASSERT_EQ(status, 0) << log;
        out = folder.file("docs");
    }

    Result run(const std::string& arguments) {
        return testing::runProgram(shellQuoted(OMRIX_PRINT_EXPORT) + " --ini " + shellQuoted(ini) +
                                       " --out " + shellQuoted(out) + " " + arguments,
                                   folder.file("stderr.txt"));
    }

    // What omrix-db exec printed for the statement.
    std::string sql(const std::string& text) {
        int status = -1;
        std::string log =
            capture("echo " + shellQuoted(text) + " | " + shellQuoted(OMRIX_DB_PROGRAM) +
                        " exec --ini " + shellQuoted(ini) + " 2>&1",
                    status);
        EXPECT_EQ(status, 0) << log;
        return log;
    }

    std::string pdf(const std::string& name) const { return (fs::path(out) / name).string(); }

    testing::TempFolder folder;
    std::string ini;
    std::string out;
};

constexpr const char* kDemo = "--bukken 00000001 --han 01 ";
constexpr const char* kAll = "--outputs uchiwake,youkou,gaiyou,daika ";
constexpr const char* kDocuments[] = {"uchiwake.pdf", "youkou.pdf", "gaiyou.pdf", "daika.pdf"};

// A bad option value is a usage error: status 2, nothing written and the previous
// run's file kept, also where the value is refused only after start-up.
TEST_F(PrintExport, UsageErrorsExitWith2) {
    fs::create_directories(out);
    std::ofstream(pdf("uchiwake.pdf")) << "previous";
    for (const char* arguments :
         {"--han 01", "--bukken '0 1' --han 01", "--outputs uchiwake,invoice", "--levels 12,x",
          "--levels 99999999", "--sheets some", "--bogus", "--layout 'A4（縦）'", "--page-start x",
          "--page-start 32768", "--page-start -32769"}) {
        const bool project = std::string_view(arguments).find("--han") != std::string_view::npos;
        Result result = run(project ? std::string(arguments) : kDemo + std::string(arguments));
        EXPECT_EQ(result.status, 2) << arguments << "\n" << result.err;
        std::ifstream kept(pdf("uchiwake.pdf"));
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "previous") << arguments;
    }
}

// --no-render writes rows only, the page-name question declined (operator 0: no rights);
// then all four documents, numbered from 1 or --page-start ('': 0), with the company.
TEST_F(PrintExport, RowsOnlyThenAllFourDocumentsWithNumberedPages) {
    sql("DELETE FROM 内訳出力;");
    Result result = run(std::string(kDemo) + "--no-render --page-names");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(holds(result.err, "頁名称の設定を変更しますか？")) << result.err;
    EXPECT_FALSE(fs::exists(out));
    std::string rows = sql("SELECT COUNT(*) FROM 内訳出力;");
    const int count = std::atoi(rows.c_str() + std::min(rows.size(), rows.find('\n') + 1));
    EXPECT_TRUE(count > 0 && count % 15 == 0) << rows;
    // 更新画面ＩＤ: the program's name, cut to the column's 16 bytes.
    EXPECT_EQ(sql("SELECT DISTINCT 更新画面ＩＤ AS s FROM 内訳出力;"), "s\nomrix-print-expo\n");

    result = run(std::string(kDemo) + kAll);
    ASSERT_EQ(result.status, 0) << result.err;
    for (const char* name : kDocuments) {
        EXPECT_TRUE(holds(result.out, pdf(name))) << name;
        EXPECT_GT(testing::pdfPages(pdf(name)), 0) << name;
    }
    const struct {
        const char *flags, *number, *company;
    } starts[] = {{"", "No. 1", "株式会社オムリクス建設"},
                  {"--page-start 5 --company 'Other Co'", "No. 5", "Other Co"},
                  {"--page-start ''", "No. 0", "株式会社オムリクス建設"}};
    for (const auto& c : starts) {
        if (*c.flags != '\0') result = run(std::string(kDemo) + c.flags);
        ASSERT_EQ(result.status, 0) << result.err;
        const std::string first = testing::pdfText(pdf("uchiwake.pdf"), 1);
        EXPECT_TRUE(holds(first, c.number) && holds(first, c.company)) << first;
    }
}

// Every old output goes first, asked for or not, and files are written under temporary
// names: a run stopping part-way leaves no old file beside new ones, none half-written.
TEST_F(PrintExport, RunsStoppingPartWayLeaveNoStaleOrHalfWrittenFile) {
    fs::create_directories(out);
    for (const char* name : kDocuments) testing::writeBytes(pdf(name), "previous run");
    sql("DELETE FROM 物件見積要項;");
    Result result = run(std::string(kDemo) + "--outputs uchiwake,youkou,gaiyou");
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(holds(result.err, "3010") && holds(result.err, "物件見積要項の取得")) << result.err;
    EXPECT_GT(testing::pdfPages(pdf("uchiwake.pdf")), 0);
    // youkou.pdf failed, gaiyou.pdf came after it, daika.pdf was of another run.
    for (const auto& entry : fs::directory_iterator(out)) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "uchiwake.pdf" || name == ".omrix-print-export.lock") << name;
    }
}

// The folder's lock: while another process holds it a run stops at once and touches
// nothing; two real runs started together either take turns or one stops, and every
// file a run reports is a whole PDF. --out '' is a usage error.
TEST_F(PrintExport, OneRunAtATimeIntoAFolder) {
    fs::create_directories(out);
    testing::writeBytes(pdf("uchiwake.pdf"), "previous run");
    {
        const int fd = ::open(pdf(".omrix-print-export.lock").c_str(), O_RDWR | O_CREAT, 0600);
        ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
        Result held = run(kDemo);
        ::close(fd);
        EXPECT_EQ(held.status, 1);
        EXPECT_EQ(held.err, "another export is writing to " + out + "\n");
        EXPECT_EQ(testing::readBytes(pdf("uchiwake.pdf")), "previous run");
    }
    const std::string one = shellQuoted(OMRIX_PRINT_EXPORT) + " --ini " + shellQuoted(ini) +
                            " --out " + shellQuoted(out) + " " + kDemo + kAll;
    for (int round = 0; round < 3; ++round) {
        int status = -1;
        // Both exit statuses and both standard errors, one line each.
        std::string log = capture(
            "(" + one + " 2>&1; echo \"exit $?\") & (" + one + " 2>&1; echo \"exit $?\"); wait",
            status);
        EXPECT_TRUE(holds(log, "exit 0")) << log;
        EXPECT_FALSE(holds(log, "exit 1") && !holds(log, "another export is writing to " + out))
            << log;
        for (const char* name : kDocuments)
            EXPECT_GT(testing::pdfPages(pdf(name)), 0) << name << "\n" << log;
    }
    out.clear();
    Result empty = run(kDemo);
    EXPECT_EQ(empty.status, 2) << empty.err;
}

// A line amount beyond Currency (9e11 × 1e5 = 9e16 > 922,337,203,685,477.5807) keeps
// the window's bare message, but the export names the line and column and ends with 1
// after writing the documents: a statement with a wrong total is no clean run.
TEST_F(PrintExport, AnAmountOverflowIsNamedAndTheRunIsNotClean) {
    std::string first = sql("SELECT MIN(内訳ＩＤ) AS id FROM 内訳 WHERE 種別フラグ = 8;");
    const std::string id = first.substr(3, first.find('\n', 3) - 3);
    sql("UPDATE 内訳 SET 見積１単価 = 900000000000, 内訳数量 = 100000 WHERE 内訳ＩＤ = " + id +
        ";");
    Result result = run(kDemo);
    EXPECT_EQ(result.status, 1);
    EXPECT_TRUE(holds(result.err, "the amount overflows: 内訳ＩＤ " + id + "の見積１金額\n"))
        << result.err;
    EXPECT_GT(testing::pdfPages(pdf("uchiwake.pdf")), 0);
}

#ifdef OMRIX_PRINT_PROGRAM
// The desktop program offscreen: a start-up failure is on standard error too, one line
// each, though the box that shows it waits for a click no one gives (ended after 4 s).
TEST_F(PrintExport, DesktopProgramOffscreenEchoesItsMessages) {
    testing::writeBytes(folder.file("empty.sqlite"), "");
    testing::writeBytes(ini, "[DATABASE]\nSERVER_NAME=sqlite\nDB_NAME=empty.sqlite\n");
    Result result = testing::runProgram(
        "env QT_QPA_PLATFORM=offscreen OMRIX_INI=" + shellQuoted(ini) + " timeout 4 " +
            shellQuoted(OMRIX_PRINT_PROGRAM) + " -B:00000001 -H:01 -T:1",
        folder.file("stderr.txt"));
    EXPECT_TRUE(holds(result.err, "message 3010: ＤＢオブジェクトの取得に失敗しました。"))
        << result.err;
}
#endif

// A full disk names itself and the file in one line, nothing of libxlsxwriter's own
// and no internal design name, and leaves no file behind; a standard output that
// refuses the list of files is an error too.
TEST_F(PrintExport, FullDiskAndRefusedOutputNameTheirCause) {
    testing::SmallDisk disk(folder.file("disk"), "16k");
    out = folder.file("disk");
    // A file-size limit cannot stand in here: the demo database is larger than the
    // documents, so the run would stop at its first database write instead.
    if (!disk.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here (needs root)";
    const std::string cause = "no space left on the device";
    const struct {
        const char *flags, *file;
    } cases[] = {{"--formats pdf,xlsx", "uchiwake.pdf"}, {"--formats xlsx", "uchiwake.xlsx"}};
    for (const auto& c : cases) {
        Result result = run(std::string(kDemo) + c.flags);
        EXPECT_EQ(result.status, 1) << c.flags;
        EXPECT_EQ(result.err, pdf(c.file) + ": " + cause + "\n") << c.flags;
        for (const auto& entry : fs::directory_iterator(out))
            EXPECT_EQ(entry.path().filename(), ".omrix-print-export.lock") << entry.path();
    }
    out = folder.file("docs");
    Result full = run(std::string(kDemo) + ">/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err,
              "the list of files written cannot go to standard output: no space left on the "
              "device\n");
}

// A database that is no database, an INI over 1 MiB, an output folder that cannot be
// made or written to: status 1, the cause and the path named on standard error, the
// folder in one line and nothing of Qt's own. Any bytes are a path, written as given.
TEST_F(PrintExport, StopsNamingTheCauseAndPathInOneLine) {
    testing::writeBytes(folder.file("text.sqlite"), "not a database\n");
    testing::writeBytes(folder.file("plain"), "x");
    testing::writeBytes(folder.file("empty.sqlite"), "");
    const std::string other = folder.file("OTHER.INI");
    const struct {
        std::string iniText, where, cause;  // iniText: "" keeps the demo's INI
    } cases[] = {
        {"[DATABASE]\nSERVER_NAME=sqlite\nDB_NAME=text.sqlite\n", out,
         "start-up stopped: the database named by the INI file could not be opened: " +
             folder.file("text.sqlite") + " is not a database file\n"},
        {std::string((1 << 20) + 10, '\n'), out, other + " is larger than 1 MiB"},
        // Both open as a new, empty database.
        {"[DATABASE]\nSERVER_NAME=sqlite\nDB_NAME=empty.sqlite\n", out,
         folder.file("empty.sqlite") + " is not a database of the suite (no tables)\n"},
        {"[DATABASE]\nSERVER_NAME=sqlite\nDB_NAME=/dev/zero\n", out,
         "/dev/zero is not a database of the suite (no tables)\n"},
        {"", folder.file("plain/sub"), folder.file("plain/sub")},
        {"", "/proc/self", "/proc/self"},
    };
    const std::string demoIni = ini;
    for (const auto& c : cases) {
        ini = c.iniText.empty() ? demoIni : other;
        if (!c.iniText.empty()) testing::writeBytes(other, c.iniText);
        out = c.where;
        Result result = run(kDemo);
        EXPECT_EQ(result.status, 1) << c.cause;
        EXPECT_TRUE(holds(result.err, c.cause)) << result.err;
        if (!c.iniText.empty()) {
            EXPECT_FALSE(fs::exists(out));  // made only after start-up
        } else {                            // the start-up's own messages come before its last line
            EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        }
    }
    ini = demoIni;
    out = folder.file("docs-\xff\xfe");
    Result result = run(kDemo);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(fs::exists(fs::path(out) / "uchiwake.pdf"));
    EXPECT_FALSE(holds(result.err, "QPainter")) << result.err;
}

}  // namespace
}  // namespace omrix::apps
