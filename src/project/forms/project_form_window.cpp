#include "project/forms/project_form_window.h"

#include <QButtonGroup>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "project/forms/limited_text_widget.h"
#include "util/qt_text.h"

namespace omrix::project {
namespace {

constexpr int kNumberBoxWidth = 130;
constexpr int kTsuboLabelWidth = 130;
constexpr int kWindowWidth = 760;
constexpr const char* kBukkenInfTip = "物件情報を既定値として画面に表示します。";

using util::qText;

// Calls back when the box loses the focus: the area boxes' LostFocus. Another window
// coming to the front, or a menu, takes the focus without the user leaving the box.
class FocusOutFilter : public QObject {
  public:
    FocusOutFilter(QObject* parent, std::function<void()> onFocusOut)
        : QObject(parent), onFocusOut_(std::move(onFocusOut)) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                onFocusOut_();
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> onFocusOut_;
};

QPushButton* button(const char* caption, const char* name) {
    auto* b = new QPushButton(QString::fromUtf8(caption));
    b->setObjectName(name);
    b->setAutoDefault(false);  // Enter in a box saves nothing
    return b;
}

bool isArea(std::string_view name) {
    for (const auto& pair : kAreaPairs) {
        if (pair.box == name) return true;
    }
    return false;
}

}  // namespace

ProjectFormWindow::ProjectFormWindow(std::unique_ptr<ProjectForm> form, const char* objectName,
                                     const QString& caption, QWidget* parent)
    : QDialog(parent), form_(std::move(form)) {
    setObjectName(objectName);
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    SSTab_Mitsumoriyoko = new QTabWidget;
    SSTab_Mitsumoriyoko->setObjectName("SSTab_Mitsumoriyoko");
    layout->addWidget(SSTab_Mitsumoriyoko);
    buildPages();
    buildButtons();
    chainTabOrder();
    resize(kWindowWidth, sizeHint().height());
    Form_Load();
}

// The children outlive this part of the window: the focus they lose while Qt takes them
// down must not reach the form any more.
ProjectFormWindow::~ProjectFormWindow() {
    for (auto& [box, filter] : focusFilters_) box->removeEventFilter(filter);
}

void ProjectFormWindow::buildPages() {
    const auto& pages = form_->layout().pages;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        SSTab_Mitsumoriyoko->addTab(buildPage(static_cast<int32_t>(p)), qText(pages[p]));
    }
}

QWidget* ProjectFormWindow::buildPage(int32_t page) {
    auto* widget = new QWidget;
    auto* column = new QVBoxLayout(widget);
    QGridLayout* grid = nullptr;
    std::string frame = "\n";  // no frame has this caption
    int row = 0;
    for (const auto& c : form_->layout().controls) {
        if (c.page != page) continue;
        if (!grid || c.frame != frame) {
            frame = c.frame;
            grid = new QGridLayout;
            grid->setColumnStretch(1, 1);
            if (frame.empty()) {
                column->addLayout(grid);
            } else {
                auto* box = new QGroupBox(qText(frame));
                box->setLayout(grid);
                column->addWidget(box);
            }
            row = 0;
        }
        addRow(*grid, row, c);
    }
    column->addStretch(1);
    return widget;
}

void ProjectFormWindow::addRow(QGridLayout& grid, int& row, const FormControl& c) {
    if (c.kind == ControlKind::Option) {
        addOption(grid, row++, c);
        return;
    }
    if (c.kind == ControlKind::TsuboLabel) {
        auto* label = new QLabel;
        label->setObjectName(qText(c.name));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setFixedWidth(kTsuboLabelWidth);
        tsuboLabels_[c.name] = label;
        // Beside its area box, before the row's closing stretch.
        numberRow_->insertWidget(numberRow_->count() - 1, label);
        numberRow_->insertWidget(numberRow_->count() - 1, new QLabel(qText(c.unit)));
        return;
    }
    grid.addWidget(new QLabel(qText(c.label)), row, 0);
    LimitedTextBox* box = addTextBox(c);
    if (c.rule.kind == InputKind::Number) {
        box->setFixedWidth(kNumberBoxWidth);
        numberRow_ = new QHBoxLayout;
        numberRow_->addWidget(box);
        if (!c.unit.empty()) numberRow_->addWidget(new QLabel(qText(c.unit)));
        numberRow_->addStretch(1);
        grid.addLayout(numberRow_, row, 1);
    } else {
        grid.addWidget(box, row, 1);
    }
    ++row;
}

LimitedTextBox* ProjectFormWindow::addTextBox(const FormControl& c) {
    auto* box = new LimitedTextBox(c.rule);
    box->setObjectName(qText(c.name));
    boxes_[c.name] = box;
    tabChain_.push_back(box);
    const std::string name = c.name;
    connect(box, &QLineEdit::textEdited, this,
            [this, name](const QString& text) { form_->setText(name, text.toStdString()); });
    if (isArea(name)) {
        auto* filter = new FocusOutFilter(box, [this, name] {
            form_->areaLostFocus(name);
            showForm();
        });
        box->installEventFilter(filter);
        focusFilters_.emplace_back(box, filter);
    }
    return box;
}

void ProjectFormWindow::addOption(QGridLayout& grid, int row, const FormControl& c) {
    auto* ari = new QRadioButton("有り");
    auto* nashi = new QRadioButton("無し");
    ari->setObjectName(qText(c.name));
    nashi->setObjectName(qText(c.pair));
    auto* group = new QButtonGroup(this);
    group->addButton(ari);
    group->addButton(nashi);
    auto* pair = new QHBoxLayout;
    pair->addWidget(ari);
    pair->addWidget(nashi);
    pair->addStretch(1);
    grid.addLayout(pair, row, 1);
    options_[c.name] = {ari, nashi};
    tabChain_.push_back(ari);
    const std::string name = c.name;
    connect(ari, &QRadioButton::toggled, this,
            [this, name](bool checked) { form_->setOption(name, checked); });
}

void ProjectFormWindow::buildButtons() {
    Cmd_BukkenInf = button("物件情報(&B)", "Cmd_BukkenInf");
    Cmd_BukkenInf->setToolTip(QString::fromUtf8(kBukkenInfTip));
    Cmd_OK = button("OK(&O)", "Cmd_OK");
    Cmd_Cancel = button("ｷｬﾝｾﾙ(&C)", "Cmd_Cancel");
    Cmd_Tekiyo = button("適用(&T)", "Cmd_Tekiyo");
    auto* row = new QHBoxLayout;
    row->addWidget(Cmd_BukkenInf);
    row->addStretch(1);
    for (QPushButton* b : {Cmd_OK, Cmd_Cancel, Cmd_Tekiyo}) row->addWidget(b);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    tabChain_.insert(tabChain_.end(), {Cmd_OK, Cmd_Cancel, Cmd_Tekiyo, Cmd_BukkenInf});
    connect(Cmd_OK, &QPushButton::clicked, this, [this] { Cmd_OK_Click(); });
    connect(Cmd_Cancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(Cmd_Tekiyo, &QPushButton::clicked, this, [this] { Cmd_Tekiyo_Click(); });
    connect(Cmd_BukkenInf, &QPushButton::clicked, this, [this] { Cmd_BukkenInf_Click(); });
}

void ProjectFormWindow::chainTabOrder() {
    for (std::size_t i = 1; i < tabChain_.size(); ++i) {
        setTabOrder(tabChain_[i - 1], tabChain_[i]);
    }
}

void ProjectFormWindow::Form_Load() {
    form_->load();
    showForm();
    enableButtons();
}

void ProjectFormWindow::showForm() {
    for (auto& [name, box] : boxes_) {
        const QString text = qText(form_->text(name));
        if (box->text() != text) box->setText(text);
    }
    for (auto& [name, label] : tsuboLabels_) label->setText(qText(form_->text(name)));
    for (auto& [name, pair] : options_) {
        (form_->option(name) ? pair.first : pair.second)->setChecked(true);
    }
}

void ProjectFormWindow::enableButtons() {
    Cmd_BukkenInf->setEnabled(form_->editable());
    Cmd_OK->setEnabled(form_->mayWrite());
    Cmd_Tekiyo->setEnabled(form_->mayWrite());
}

void ProjectFormWindow::Cmd_OK_Click() {
    form_->save();
    showForm();
    unload(Accepted);
}

void ProjectFormWindow::Cmd_Tekiyo_Click() {
    form_->save();
    showForm();
}

void ProjectFormWindow::Cmd_BukkenInf_Click() {
    if (form_->takeOver()) showForm();
}

void ProjectFormWindow::reject() {
    unload(Rejected);
}

void ProjectFormWindow::unload(int result) {
    if (form_->mayClose()) done(result);
}

}  // namespace omrix::project
