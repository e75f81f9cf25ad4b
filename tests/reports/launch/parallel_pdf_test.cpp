// A PDF painted on several threads against the same painted on one: the text of every
// page and the outline, on a breakdown built by hand and on the demo; a painting
// stopped part-way (cancelled, or its rows gone) leaves no file behind.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <QFile>

#include <filesystem>
#include <string>
#include <vector>

#include "reports/engine/pdf_join.h"
#include "reports/launch/background_save.h"
#include "reports/report_fixture.h"
#include "reports/three_level_breakdown.h"
#include "util/part_file.h"

namespace omrix::reports {
namespace {

using omrix::testing::failureText;

namespace fs = std::filesystem;

// The text of each page (pdftotext's pages split at their form feeds).
std::vector<std::string> pageTexts(const std::string& pdf) {
    std::vector<std::string> pages;
    const std::string text = testing::pdfText(pdf);
    std::size_t from = 0;
    for (std::size_t at; (at = text.find('\f', from)) != std::string::npos; from = at + 1)
        pages.push_back(text.substr(from, at - from));
    return pages;
}

bool holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class ParallelPdfTest : public testing::ReportTest {
  protected:
    // Sub-statements that run over many pages: 400, 100 and 150 items.
    void writeBreakdown() {
        testing::writeThreeLevelBreakdown(
            db, {.rebar = {400, 100}, .finish = {100, 1000}, .services = {150, 2000}});
    }
    // A B5 statement of `pages` pages, not yet loaded.
    std::unique_ptr<Report> statement(int pages) {
        db.addBreakdown(7, "00000001", "外郭工事");
        db.addPages(7, pages);
        return db.report("B5_UCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 7");
    }
};

TEST_F(ParallelPdfTest, EveryPageAndTheOutlineAsOneThreadPaintsThem) {
    writeBreakdown();
    auto report = db.report("B5_UCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 7");
    ASSERT_TRUE(report);
    std::vector<std::vector<std::string>> texts;
    std::vector<std::vector<std::string>> outlines;
    for (int threads : {1, 2, 3}) {
        const std::string pdf = db.folder.file("t" + std::to_string(threads) + ".pdf");
        ASSERT_EQ(failureText(report->exportPdf(pdf, threads)), "");
        texts.push_back(pageTexts(pdf));
        outlines.push_back(testing::pdfOutline(pdf));
        EXPECT_EQ(testing::pdfTitleAuthorSubject(pdf), "内訳書||外郭工事") << threads;
    }
    // Pages (15 lines each): 1 本工事 [建築 設備] · 2 建築 [躯体 仕上] · 3 躯体 [鉄筋 明細5] ·
    // 鉄筋 and its 400 items, 401 lines: 27 pages, 4–30 · 仕上 and 100: 101 lines, 7 pages,
    // 31–37 · 設備 and 150: 151 lines, 11 pages, 38–48. 48 pages: three threads paint
    // 1–16, 17–32 and 33–48. Page 17 is 鉄筋's 14th: page 4 holds 鉄筋 and 明細100–113,
    // page 4 + n holds 15 items from 114 + 15 (n − 1): page 17 明細294–308.
    ASSERT_EQ(texts[0].size(), 48u);
    EXPECT_TRUE(holds(texts[0][16], "明細294") && holds(texts[0][16], "明細308")) << texts[0][16];
    EXPECT_EQ(outlines[0], (std::vector<std::string>{"0|Ⅰ 建築|2", "1|1 躯体|3", "2|(1) 鉄筋|4",
                                                     "1|2 仕上|31", "0|Ⅱ 設備|38"}));
    for (std::size_t i = 1; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i], texts[0]) << i + 1 << " threads";
        EXPECT_EQ(outlines[i], outlines[0]) << i + 1 << " threads";
    }
}

// The demo's breakdown through omrix-print-export, one thread against three.
TEST_F(ParallelPdfTest, TheDemoAsOneThreadPaintsIt) {
    const std::string ini = db.folder.file("demo/OMRIX.INI");
    fs::create_directories(db.folder.file("demo"));
    testing::writeBytes(ini,
                        "[DATABASE]\nSERVER_NAME=sqlite\nDB_NAME=demo.sqlite\n"
                        "[KALVERON]\nPRINTCOMAPNYNAME=株式会社オムリクス建設\n");
    int status = -1;
    const std::string db_ = testing::shellQuoted(OMRIX_DB_PROGRAM);
    std::string log =
        testing::capture(db_ + " init --ini " + testing::shellQuoted(ini) + " 2>&1 && " + db_ +
                             " demo --ini " + testing::shellQuoted(ini) + " 2>&1",
                         status);
    ASSERT_EQ(status, 0) << log;
    std::vector<std::string> pdfs;
    for (const char* jobs : {"1", "3"}) {
        const std::string out = db.folder.file(std::string("out") + jobs);
        log = testing::capture(testing::shellQuoted(OMRIX_PRINT_EXPORT) + " --ini " +
                                   testing::shellQuoted(ini) +
                                   " --bukken 00000001 --han 01 --outputs uchiwake,daika --jobs " +
                                   jobs + " --out " + testing::shellQuoted(out) + " 2>&1",
                               status);
        ASSERT_EQ(status, 0) << log;
        pdfs.push_back(out + "/uchiwake.pdf");
        pdfs.push_back(out + "/daika.pdf");
    }
    for (std::size_t i = 0; i < 2; ++i) {
        const std::vector<std::string> one = pageTexts(pdfs[i]);
        EXPECT_GT(one.size(), 32u) << pdfs[i];  // enough for more than one thread
        EXPECT_EQ(pageTexts(pdfs[i + 2]), one) << pdfs[i + 2];
        EXPECT_EQ(testing::pdfOutline(pdfs[i + 2]), testing::pdfOutline(pdfs[i]));
        EXPECT_EQ(testing::pdfTitleAuthorSubject(pdfs[i + 2]),
                  testing::pdfTitleAuthorSubject(pdfs[i]));
    }
}

// Stopped part-way, by the user or by rows that can no longer be read: the threads stop,
// their temporary PDFs go, and the output written aside is never renamed into place.
TEST_F(ParallelPdfTest, StoppedPartWayLeavesNoFile) {
    auto report = statement(200);
    ASSERT_EQ(failureText(report->load()), "");
    const std::string temporary = db.folder.file("tmp");
    fs::create_directories(temporary);
    const char* saved = std::getenv("TMPDIR");
    const std::string before = saved != nullptr ? saved : "";
    ::setenv("TMPDIR", temporary.c_str(), 1);
    using Stop = Report::PagesPainted::Stop;
    const struct {
        const char* what;
        Stop stop;
        const char* sql;  // run at the first report of pages painted; "" cancels there
    } cases[] = {
        {"cancelled", Stop::Cancelled, ""},
        {"rows gone", Stop::Read, "ALTER TABLE 内訳出力 RENAME TO 内訳出力_old;"},
    };
    for (const auto& c : cases) {
        const std::string path = db.folder.file("stopped.pdf");
        Report::PagesPainted painted;
        bool first = true;
        {
            util::PartFile part(path);
            QFile file(QString::fromStdString(part.path()));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            util::ProgressFunction step([&](int64_t done, int64_t total) {
                EXPECT_EQ(total, 200);
                EXPECT_LT(done, total) << c.what;
                if (!first || *c.sql == '\0') return *c.sql != '\0';
                first = false;
                db.tables.exec(c.sql);
                EXPECT_TRUE(db.tables.ok()) << db.tables.error();
                return true;
            });
            painted = report->writePdf(file, 2, &step);
        }
        EXPECT_EQ(painted.stop, c.stop) << c.what;
        EXPECT_FALSE(fs::exists(path)) << c.what;
        EXPECT_TRUE(fs::is_empty(temporary)) << c.what;
        EXPECT_FALSE(fs::exists(util::partPathOf(path))) << c.what;
        if (c.stop == Stop::Read) {
            EXPECT_TRUE(holds(painted.reason, "内訳出力")) << painted.reason;
        }
    }
    before.empty() ? ::unsetenv("TMPDIR") : ::setenv("TMPDIR", before.c_str(), 1);
}

// The join takes only PDFs as Qt writes them, and says which it could not take.
TEST_F(ParallelPdfTest, JoinRefusesWhatQtDidNotWrite) {
    auto report = statement(2);
    const std::string updated = db.pdf(*report);  // the outline's update after Qt's table
    const std::string text = db.folder.file("notes.pdf");
    testing::writeBytes(text, "not a PDF\n");
    for (const std::string& part : {text, updated, db.folder.file("missing.pdf")}) {
        std::string joined;
        PdfJoin join([&](std::string_view bytes) {
            joined += bytes;
            return true;
        });
        util::Status appended = join.append(part);
        ASSERT_FALSE(appended) << part;
        EXPECT_TRUE(holds(appended.failure().text(), part)) << appended.failure().text();
        EXPECT_FALSE(join.finish()) << part;  // no page joined
    }
}

// A save in the background writes from a copy of the report loaded afresh, renames its
// file into place only when the job succeeds, and stops at the page after 中止.
TEST_F(ParallelPdfTest, BackgroundSaveWritesFromACopyOfItsOwn) {
    auto report = statement(3);
    ASSERT_EQ(failureText(report->load()), "");
    const std::string path = db.folder.file("saved.txt");
    const struct {
        const char* what;
        bool succeeds, waitsForStop;
        const char *file, *error;
    } cases[] = {
        {"written", true, false, "3 pages", ""},
        {"failed", false, false, "old", "cannot"},
        {"stopped", false, true, "old", ""},
    };
    for (const auto& c : cases) {
        testing::writeBytes(path, "old");
        BackgroundSave save;
        const util::Status started = save.start(
            *report, path,
            [&](Report& copy, const std::string& to, util::Progress& progress) -> util::Status {
                EXPECT_NE(&copy, report.get());
                testing::writeBytes(to, std::to_string(copy.pageCount()) + " pages");
                if (c.waitsForStop) {
                    while (progress.advance(1, copy.pageCount())) std::this_thread::yield();
                }
                if (!c.succeeds) return util::Failure(c.error);
                return {};
            });
        ASSERT_EQ(testing::failureText(started), "");
        if (c.waitsForStop) save.stop();
        save.wait();
        const BackgroundSave::State state = save.state();
        EXPECT_FALSE(state.running) << c.what;
        EXPECT_EQ(state.ok, c.succeeds) << c.what;
        EXPECT_EQ(state.stopped, c.waitsForStop) << c.what;
        EXPECT_EQ(state.error, c.error) << c.what;
        EXPECT_EQ(testing::readBytes(path), c.file) << c.what;
        EXPECT_FALSE(fs::exists(util::partPathOf(path))) << c.what;
    }
    // A report that cannot be loaded again starts nothing.
    report->RecordSelectionFormula = "{内訳出力.内訳名称ＩＤ} = x";
    BackgroundSave save;
    EXPECT_TRUE(holds(testing::failureText(save.start(*report, path, {})), "= x"));
}

}  // namespace
}  // namespace omrix::reports
