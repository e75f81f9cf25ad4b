#pragma once
// Frm_Omrix_Print_ChangePageName, caption "頁名称変更": the second-level rows of the
// selected branch with their page names, edited in a grid and written on 印刷.

#include <QDialog>

#include "print/page_name_rows.h"

class QPushButton;
class QTableWidget;

namespace omrix::level_tree {
class LevelTreeModel;
}

namespace omrix::print_window {

class Frm_Omrix_Print_ChangePageName : public QDialog {
  public:
    // Lists the rows at once (Form_Load).
    Frm_Omrix_Print_ChangePageName(print::PrintSource source,
                                   const level_tree::LevelTreeModel& tree, QWidget* parent);

    // Writes every listed row; closes on success, stays open after a failed write.
    void Cmd_Print_Click();
    void Cmd_Cancel_Click();

  private:
    void sbInitGrid();
    void sbFillGrid();

    const level_tree::LevelTreeModel& tree_;
    print::PageNameRows rows_;
    QTableWidget* Spd_PageName = nullptr;
    QPushButton* Cmd_Print = nullptr;
    QPushButton* Cmd_Cancel = nullptr;
};

}  // namespace omrix::print_window
