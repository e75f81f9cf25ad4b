#include "print_window/page_name_window.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <vector>

#include "breakdown/tables/uchiwake_records.h"
#include "project/forms/limited_text_widget.h"
#include "util/qt_text.h"

namespace omrix::print_window {
namespace {

enum Column { kNumber = 0, kName = 1, kPageName = 2, kColumnCount = 3 };

struct GridGeometry {
    int numberWidth;
    int nameWidth;
    int pageNameWidth;
    int width;
    int height;
};
constexpr GridGeometry kGrid{
    .numberWidth = 80, .nameWidth = 280, .pageNameWidth = 200, .width = 640, .height = 460};

using util::qText;

// 頁名称 is typed against the bytes 内訳 keeps of it, as the forms' boxes are.
class PageNameDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        constexpr auto bytes = decltype(breakdown::UchiwakeRec::頁名称)::width();
        auto* box = new project::LimitedTextBox(project::textRule(bytes), parent);
        box->setFrame(false);
        return box;
    }
};

QTableWidgetItem* cell(const std::string& text, bool editable) {
    auto* item = new QTableWidgetItem(qText(text));
    if (!editable) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

}  // namespace

Frm_Omrix_Print_ChangePageName::Frm_Omrix_Print_ChangePageName(
    print::PrintSource source, const level_tree::LevelTreeModel& tree, QWidget* parent)
    : QDialog(parent), tree_(tree), rows_(source) {
    setObjectName("Frm_Omrix_Print_ChangePageName");
    setWindowTitle("頁名称変更");
    setModal(true);
    Spd_PageName = new QTableWidget(this);
    Spd_PageName->setObjectName("Spd_PageName");
    Spd_PageName->setColumnCount(kColumnCount);
    Spd_PageName->setHorizontalHeaderLabels({"表示№", "種目名称", "頁名称"});
    Spd_PageName->setColumnWidth(kNumber, kGrid.numberWidth);
    Spd_PageName->setColumnWidth(kName, kGrid.nameWidth);
    Spd_PageName->setColumnWidth(kPageName, kGrid.pageNameWidth);
    Spd_PageName->horizontalHeader()->setStretchLastSection(true);
    Spd_PageName->setItemDelegateForColumn(kPageName, new PageNameDelegate(Spd_PageName));

    auto* buttons = new QFrame(this);
    buttons->setObjectName("Frm2D_Cmd");
    auto* row = new QHBoxLayout(buttons);
    Cmd_Print = new QPushButton("印刷(&P)", buttons);
    Cmd_Print->setObjectName("Cmd_Print");
    Cmd_Cancel = new QPushButton("ｷｬﾝｾﾙ(&C)", buttons);
    Cmd_Cancel->setObjectName("Cmd_Cancel");
    row->addStretch(1);
    row->addWidget(Cmd_Print);
    row->addWidget(Cmd_Cancel);
    connect(Cmd_Print, &QPushButton::clicked, this, [this] { Cmd_Print_Click(); });
    connect(Cmd_Cancel, &QPushButton::clicked, this, [this] { Cmd_Cancel_Click(); });

    auto* column = new QVBoxLayout(this);
    column->addWidget(Spd_PageName, 1);
    column->addWidget(buttons);
    resize(kGrid.width, kGrid.height);

    // Form_Load
    sbInitGrid();
    sbFillGrid();
}

void Frm_Omrix_Print_ChangePageName::sbInitGrid() {
    Spd_PageName->clearContents();
    Spd_PageName->setRowCount(0);
}

void Frm_Omrix_Print_ChangePageName::sbFillGrid() {
    rows_.fnCollectPageNameRows(tree_, false);
    Spd_PageName->setRowCount(rows_.count());
    for (int32_t i = 0; i < rows_.count(); ++i) {
        const print::PageNameGridRow texts = rows_.gridRow(i);
        Spd_PageName->setItem(i, kNumber, cell(texts.number, false));
        Spd_PageName->setItem(i, kName, cell(texts.name, false));
        Spd_PageName->setItem(i, kPageName, cell(texts.pageName, true));
    }
    // The only column to type in.
    if (rows_.count() > 0) Spd_PageName->setCurrentCell(0, kPageName);
}

void Frm_Omrix_Print_ChangePageName::Cmd_Print_Click() {
    // An edit still open in the grid belongs to what is written: leaving it commits it.
    Cmd_Print->setFocus();
    std::vector<std::string> names;
    for (int32_t i = 0; i < rows_.count(); ++i) {
        const QTableWidgetItem* item = Spd_PageName->item(i, kPageName);
        names.push_back(item != nullptr ? item->text().toStdString() : std::string());
    }
    if (rows_.write(names)) accept();
}

void Frm_Omrix_Print_ChangePageName::Cmd_Cancel_Click() {
    reject();
}

}  // namespace omrix::print_window
