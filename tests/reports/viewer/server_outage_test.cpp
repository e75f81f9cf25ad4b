// A lost server connection: the PostgreSQL server of scripts/with-test-server stopped and
// started again in the middle of a session. While it is down every action fails naming
// the cause; once it is back the same actions succeed without a restart of the program,
// whether the sessions were seen to die or died unseen between two actions.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>

#include "data/test_server.h"
#include "print/numbered_rows.h"
#include "print/print_rows_write.h"
#include "project/forms/koji_gaiyo_form.h"
#include "project/forms/mitsumoriyoko_form.h"
#include "project/project_master_fixture.h"
#include "reports/report_fixture.h"
#include "reports/viewer/report_page_view_widget.h"
#include "reports/viewer/report_viewer_widget.h"

namespace omrix::reports {
namespace {

using omrix::testing::failureText;

constexpr int32_t kNameId = 7;
// 300 rows at 15 a page: 20 pages; 行300 is the last line of page 20.
constexpr int kRows = 300;
constexpr int kLastPage = 20;
constexpr const char* kLost = "the connection to the database server was lost";

// Messages shown since the last call, "3010 <action>" or the box's text, the server's
// own words after the cause left out (they differ between its versions).
std::string shown(platform::RecordingSink& sink) {
    std::string out;
    for (const platform::ShownMessage& m : sink.messages()) {
        std::string text = m.number != 0 ? std::to_string(m.number) + " " + m.params[0] : m.text;
        out += (out.empty() ? "" : " / ") + text.substr(0, text.find(" ("));
    }
    sink.clear();
    return out;
}

// What a page looks like in a fresh view (no page image kept from before).
std::string pageState(const Report& report, int page) {
    ReportPageViewWidget view;
    view.resize(500, 700);
    view.setReport(&report);
    view.goToPage(page);
    view.viewport()->grab();
    if (!view.pageUnread(page)) return "read";
    const std::string why = view.unreadReason(page);
    const bool named = why.find(kLost) != std::string::npos;
    return named ? "この頁を読み込めませんでした" : "unread: " + why;
}

class ServerOutage : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(db.ok()) << db.tables.error();
        const char* ctl = std::getenv("OMRIX_TEST_SERVER_CTL");
        ASSERT_NE(ctl, nullptr) << "scripts/with-test-server gives the command that stops it";
        control = ctl;
    }
    // Whatever failed, the next server test finds the server running.
    void TearDown() override { (void)server("start"); }

    bool server(const std::string& verb) {
        return std::system((control + " " + verb + " >/dev/null 2>&1").c_str()) == 0;
    }

    testing::ReportDatabase db;
    std::string control;
};

TEST_F(ServerOutage, EveryActionNamesTheLostConnectionAndTheNextOneLogsOnAgain) {
    const std::optional<testing::TestServer> test = testing::testServer();
    ASSERT_TRUE(test);
    data::CCCDBS_DataBase& program = db.tables.db();
    platform::RecordingSink& sink = db.tables.messages();
    db.addBreakdown(kNameId, "12", "本社ビル新築工事");
    const print::PrintRows rows = testing::numberedRows(kRows, kNameId, "行");
    ASSERT_TRUE(print::writePrintRows(program, kNameId, rows, nullptr)) << shown(sink);
    project::KojiGaiyoForm gaiyou(project::projectInputs(program));
    gaiyou.load();
    gaiyou.setText("Txt_KojiName", "新築工事");
    ASSERT_TRUE(gaiyou.save()) << shown(sink);
    project::MitsumoriyokoForm youkou(project::projectInputs(program));
    youkou.load();
    youkou.setText("Txt_FutaiKoji", "外構工事");
    ASSERT_TRUE(youkou.save()) << shown(sink);
    sink.clear();

    // The statement reads its pages through a session of its own, as the launch logs on.
    auto report = db.report("A4YOKOUCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 7");
    ASSERT_TRUE(report);
    report->Database().Tables().Item(1).SetLogOnInfo(test->dataSource, test->user, test->password,
                                                     test->database);
    ASSERT_EQ(failureText(report->load()), "");
    ASSERT_EQ(report->pageCount(), kLastPage);
    ReportViewerWidget viewer;
    viewer.resize(800, 600);
    viewer.setReport(report.get());
    auto* findStatus = viewer.findChild<QLabel*>("findStatus");
    ASSERT_NE(findStatus, nullptr);

    const std::string cause = test->database + ": " + kLost;
    struct Case {
        const char* action;
        std::function<std::string()> run;
        std::string whileDown, whenBack;
    };
    // In this order: the page reads leave the statement no page kept, so the search
    // while the server is down meets every page unread.
    const Case cases[] = {
        {"印刷",
         [&] {
             if (!print::writePrintRows(program, kNameId, rows, nullptr)) return shown(sink);
             return std::to_string(db.tables.count("内訳出力 Where 内訳名称ＩＤ = 7")) + " rows";
         },
         "3010 内訳出力の削除 / " + cause, std::to_string(kRows) + " rows"},
        {"工事概要編集",
         [&] {
             project::KojiGaiyoForm form(project::projectInputs(program));
             form.load();
             return form.editable() ? form.text("Txt_KojiName") : shown(sink);
         },
         "3010 物件概要の取得 / " + cause, "新築工事"},
        {"見積要項編集",
         [&] {
             project::MitsumoriyokoForm form(project::projectInputs(program));
             form.load();
             return form.editable() ? form.text("Txt_FutaiKoji") : shown(sink);
         },
         "3010 物件見積要項の取得 / " + cause, "外構工事"},
        {"頁 20, 頁 1",
         [&] { return pageState(*report, kLastPage) + ", " + pageState(*report, 1); },
         "この頁を読み込めませんでした, この頁を読み込めませんでした", "read, read"},
        {"検索 行300",
         [&] {
             viewer.find("行300");
             while (viewer.searching()) QApplication::processEvents();
             return findStatus->text().toStdString();
         },
         "20 頁を読み込めませんでした", "1/1 件"},
    };

    ASSERT_TRUE(server("stop"));
    for (const Case& c : cases) EXPECT_EQ(c.run(), c.whileDown) << c.action << " while down";
    ASSERT_TRUE(server("start"));
    for (const Case& c : cases) EXPECT_EQ(c.run(), c.whenBack) << c.action << " once back";
    // Stopped and started between two actions: no failure was seen on the old sessions.
    ASSERT_TRUE(server("stop"));
    ASSERT_TRUE(server("start"));
    for (const Case& c : cases) EXPECT_EQ(c.run(), c.whenBack) << c.action << " after a restart";
}

// A session lost in the middle of a transaction is not replaced under it: what follows
// fails up to the end of the transaction, the commit too, and the next action outside it
// logs on again. The row written before the loss went with the server's rollback.
TEST_F(ServerOutage, ATransactionThatLostItsSessionFailsToItsEnd) {
    data::CCCDBS_DataBase& program = db.tables.db();
    const auto insert = [&](int id) {
        return program.fnExecute("Insert Into 金額種類Ｍ (金額種類ＩＤ, 金額種類名称) Values (" +
                                 std::to_string(id) + ", 'm');");
    };
    const struct {
        const char* loss;
        int statementsAfter;
        bool nested;  // within a transaction of a procedure inside the outer one
    } cases[] = {{"before two more statements", 2, false},
                 {"right before the commit", 0, false},
                 {"inside a nested transaction", 1, true}};
    for (const auto& c : cases) {
        {
            data::Transaction transaction(program);
            ASSERT_TRUE(transaction.begun()) << c.loss;
            ASSERT_TRUE(insert(1)) << c.loss;
            {
                std::optional<data::Transaction> inner;
                if (c.nested) inner.emplace(program);
                ASSERT_TRUE(server("stop"));
                ASSERT_TRUE(server("start"));
                for (int i = 0; i < c.statementsAfter; ++i) {
                    EXPECT_FALSE(insert(2 + i)) << c.loss;
                    EXPECT_EQ(program.lastErrorText(), kLost) << c.loss;  // no log-on in it
                }
            }  // the inner one rolls back: its savepoint went with the session
            EXPECT_FALSE(transaction.commit()) << c.loss;
            EXPECT_EQ(program.lastErrorText(), kLost) << c.loss;
        }
        EXPECT_TRUE(insert(4)) << c.loss << ": " << program.lastErrorText();
        EXPECT_EQ(db.tables.value("Select 金額種類ＩＤ From 金額種類Ｍ;"), "4") << c.loss;
        db.tables.exec("Delete From 金額種類Ｍ;");
    }
    // Outside a transaction, after a restart no action saw: two rows in one text are sent
    // as one insert whose column types are read first; that read meets the dead session
    // and logs on again, and the insert goes to the new session.
    ASSERT_TRUE(server("stop"));
    ASSERT_TRUE(server("start"));
    EXPECT_TRUE(
        program.fnExecute("Insert Into 金額種類Ｍ (金額種類ＩＤ, 金額種類名称) Values (5, 'm');"
                          "Insert Into 金額種類Ｍ (金額種類ＩＤ, 金額種類名称) Values (6, 'm');"))
        << program.lastErrorText();
    EXPECT_EQ(db.tables.count("金額種類Ｍ"), 2);
}

}  // namespace
}  // namespace omrix::reports
