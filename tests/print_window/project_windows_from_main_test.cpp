// The two project windows as the main window opens them: modal, over the current
// project, and what they save is in the database when they close.
#include <QLineEdit>
#include <QPushButton>

#include "platform/messages.h"
#include "window_fixture.h"

namespace omrix::print_window::testing {
namespace {

class ProjectWindowsFromMain : public DemoWindowTest {};

TEST_F(ProjectWindowsFromMain, EachButtonOpensItsFormModallyAndItSaves) {
    auto window = openMain();
    tables.messages().setAnswer(platform::kAnswerYes);
    const struct {
        const char* button;
        const char* form;
        const char* caption;
        const char* box;
        const char* typed;
        const char* stored;  // SQL reading the box's column back
    } cases[] = {
        {"Cmd_KojiGaiyo", "Frm_Omrix_Print_KojiGaiyo", "工事概要", "Txt_Hani", "Hontai",
         "Select RTrim(見積範囲) From 物件概要 Where Trim(物件No) = '00000001';"},
        {"Cmd_Mitsumoriyoko", "Frm_Omrix_Print_Mitsumoriyoko", "見積要項", "Txt_FutaiKoji", "Gaiko",
         "Select RTrim(付帯工事) From 物件見積要項 Where Trim(物件No) = '00000001' "
         "And Trim(版No) = '01';"},
    };
    for (const auto& c : cases) {
        std::string opened;
        whenModal([&](QWidget* modal) {
            opened = modal->objectName().toStdString() + "/" + modal->windowTitle().toStdString();
            child<QPushButton>(modal, "Cmd_BukkenInf")->click();
            auto* box = child<QLineEdit>(modal, c.box);
            box->setFocus();
            QTest::keyClicks(box, c.typed);
            child<QPushButton>(modal, "Cmd_OK")->click();
        });
        child<QPushButton>(window.get(), c.button)->click();  // returns when the form closed
        EXPECT_EQ(opened, std::string(c.form) + "/" + c.caption);
        EXPECT_EQ(tables.value(c.stored), c.typed) << c.form;
    }
    // 2006 before each take-over, 4003 after each save: nothing else was asked or told.
    std::string numbers;
    for (const auto& m : tables.messages().messages()) numbers += std::to_string(m.number) + " ";
    EXPECT_EQ(numbers, "2006 4003 2006 4003 ");
}

}  // namespace
}  // namespace omrix::print_window::testing
