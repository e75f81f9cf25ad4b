#pragma once
// The window of a project form, built from the form's control table: a tab page per
// page of the table, frames as group boxes, one row per control, and the buttons
// 物件情報, OK, キャンセル and 適用. The window only mirrors the form: every edit goes to
// the form, which keeps the texts, the changed flag and the rules.

#include <QDialog>
#include <QString>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "project/forms/project_form.h"

class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;
class QGridLayout;
class QHBoxLayout;

namespace omrix::project {

class LimitedTextBox;

class ProjectFormWindow : public QDialog {
  public:
    ProjectFormWindow(std::unique_ptr<ProjectForm> form, const char* objectName,
                      const QString& caption, QWidget* parent);
    ~ProjectFormWindow() override;

    ProjectForm& form() { return *form_; }

    // Cancel, Escape and the close box: Form_Unload asks while the sheet is changed.
    void reject() override;

    void Cmd_OK_Click();
    void Cmd_Tekiyo_Click();
    void Cmd_BukkenInf_Click();

  private:
    void Form_Load();
    void buildPages();
    void buildButtons();
    QWidget* buildPage(int32_t page);
    void addRow(QGridLayout& grid, int& row, const FormControl& control);
    LimitedTextBox* addTextBox(const FormControl& control);
    void addOption(QGridLayout& grid, int row, const FormControl& control);
    void chainTabOrder();
    void showForm();
    void enableButtons();
    void unload(int result);

    std::unique_ptr<ProjectForm> form_;
    QTabWidget* SSTab_Mitsumoriyoko = nullptr;
    QPushButton* Cmd_OK = nullptr;
    QPushButton* Cmd_Cancel = nullptr;
    QPushButton* Cmd_Tekiyo = nullptr;
    QPushButton* Cmd_BukkenInf = nullptr;
    std::map<std::string, LimitedTextBox*> boxes_;
    std::map<std::string, QLabel*> tsuboLabels_;
    std::map<std::string, std::pair<QRadioButton*, QRadioButton*>> options_;
    QHBoxLayout* numberRow_ = nullptr;  // the row a tsubo label joins
    std::vector<QWidget*> tabChain_;
    std::vector<std::pair<QWidget*, QObject*>> focusFilters_;
};

}  // namespace omrix::project
