#include "print_window/level_tree_widget.h"

#include <QColor>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

#include "level_tree/level_tree_model.h"
#include "util/qt_text.h"

namespace omrix::print_window {
namespace {

constexpr int kImageSize = 16;

struct ImageLook {
    const char* key;   // key into Iml_Tree
    const char* mark;  // the one character painted on it
    QRgb color;
};

// One simple badge per heading kind, told apart by colour and mark.
constexpr ImageLook kImages[] = {
    {"見出し", "見", 0x2f5597}, {"種目", "種", 0x548235}, {"科目", "科", 0xbf8f00},
    {"中科目", "中", 0xc55a11}, {"別紙", "別", 0x7030a0},
};

QIcon paintImage(const ImageLook& look) {
    QPixmap pixmap(kImageSize, kImageSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor::fromRgb(look.color));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(0.5, 0.5, kImageSize - 1, kImageSize - 1), 3, 3);
    QFont font = painter.font();
    font.setPixelSize(kImageSize - 4);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QString::fromUtf8(look.mark));
    return QIcon(pixmap);
}

// The suite's colours are 0x00BBGGRR.
QColor suiteColor(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

using util::qText;

}  // namespace

LevelTreeItemModel::LevelTreeItemModel(level_tree::LevelTreeModel& tree, QObject* parent)
    : QAbstractItemModel(parent), tree_(tree) {
    for (const ImageLook& look : kImages) images_.emplace(look.key, paintImage(look));
    tree_.onCheckChanged = [this](int32_t node) {
        const QModelIndex changed = indexOf(node);
        emit dataChanged(changed, changed, {Qt::CheckStateRole});
    };
    rebuild();
}

LevelTreeItemModel::~LevelTreeItemModel() {
    tree_.onCheckChanged = nullptr;
}

void LevelTreeItemModel::rebuild() {
    beginResetModel();
    children_.assign(static_cast<std::size_t>(tree_.count()) + 1, {});
    rowOf_.assign(static_cast<std::size_t>(tree_.count()) + 1, 0);
    for (int32_t i = 1; i <= tree_.count(); ++i) {
        auto& siblings = children_[static_cast<std::size_t>(tree_.node(i).parent)];
        rowOf_[static_cast<std::size_t>(i)] = static_cast<int>(siblings.size());
        siblings.push_back(i);
    }
    endResetModel();
}

const std::vector<int32_t>& LevelTreeItemModel::childrenOf(int32_t node) const {
    return children_[static_cast<std::size_t>(node)];
}

int32_t LevelTreeItemModel::nodeOf(const QModelIndex& index) const {
    return index.isValid() ? static_cast<int32_t>(index.internalId()) : 0;
}

QModelIndex LevelTreeItemModel::indexOf(int32_t node) const {
    if (node < 1 || node > tree_.count()) return {};
    return createIndex(rowOf_[static_cast<std::size_t>(node)], 0, static_cast<quintptr>(node));
}

QModelIndex LevelTreeItemModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0 || parent.column() > 0) return {};
    const auto& list = childrenOf(nodeOf(parent));
    if (row >= static_cast<int>(list.size())) return {};
    return createIndex(row, 0, static_cast<quintptr>(list[static_cast<std::size_t>(row)]));
}

QModelIndex LevelTreeItemModel::parent(const QModelIndex& child) const {
    const int32_t node = nodeOf(child);
    return node == 0 ? QModelIndex() : indexOf(tree_.node(node).parent);
}

int LevelTreeItemModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    return static_cast<int>(childrenOf(nodeOf(parent)).size());
}

int LevelTreeItemModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant LevelTreeItemModel::data(const QModelIndex& index, int role) const {
    const int32_t node = nodeOf(index);
    if (node == 0) return {};
    const level_tree::LevelNode& n = tree_.node(node);
    switch (role) {
        case Qt::DisplayRole:
            return qText(n.text);
        case Qt::CheckStateRole:
            return n.checked ? Qt::Checked : Qt::Unchecked;
        case Qt::DecorationRole: {
            auto image = images_.find(n.image);
            return image == images_.end() ? QVariant() : QVariant(image->second);
        }
        case Qt::ForegroundRole:
            return suiteColor(n.foreColor);
        case Qt::BackgroundRole:
            return suiteColor(n.backColor);
        default:
            return {};
    }
}

bool LevelTreeItemModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const int32_t node = nodeOf(index);
    if (node == 0 || role != Qt::CheckStateRole) return false;
    // Tv_Kaiso_NodeCheck: the changed boxes report themselves through onCheckChanged.
    tree_.Tv_Kaiso_NodeCheck(node, value.value<Qt::CheckState>() == Qt::Checked);
    return true;
}

Qt::ItemFlags LevelTreeItemModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

LevelTreeView::LevelTreeView(LevelTreeItemModel* model, QWidget* parent)
    : QTreeView(parent), model_(model) {
    setObjectName("Tv_Kaiso");
    setToolTip(QString::fromUtf8(kLevelTreeTip));
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setModel(model);
    connect(this, &QTreeView::clicked, this, &LevelTreeView::nodeClicked);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { currentMoved(current); });
}

void LevelTreeView::showBuiltTree() {
    expandAll();
    const QModelIndex selected = model_->indexOf(model_->tree().selectedNode());
    if (selected.isValid()) setCurrentIndex(selected);
}

void LevelTreeView::nodeClicked(const QModelIndex& index) {
    const int32_t node = model_->nodeOf(index);
    if (node != 0) model_->tree().Tv_Kaiso_NodeClick(node);
}

void LevelTreeView::pointAt(const QModelIndex& index) {
    if (!index.isValid()) return;
    setCurrentIndex(index);
    model_->tree().pointNode(model_->nodeOf(index));
}

void LevelTreeView::menuOnCurrent() {
    if (checkMenu_ == nullptr) return;
    pointAt(currentIndex());
    const QRect item = visualRect(currentIndex());
    const QPoint at = item.isValid() ? item.bottomLeft() : QPoint(0, 0);
    checkMenu_->popup(viewport()->mapToGlobal(at));
}

void LevelTreeView::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() != QContextMenuEvent::Mouse) {
        menuOnCurrent();
        return;
    }
    // A right-click on blank space leaves the current node as it is.
    pointAt(indexAt(event->pos()));
    if (checkMenu_ != nullptr) checkMenu_->popup(event->globalPos());
}

void LevelTreeView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        menuOnCurrent();
        return;
    }
    const QModelIndex before = currentIndex();
    QTreeView::keyPressEvent(event);
    if (currentIndex() != before) pointAt(currentIndex());
}

void LevelTreeView::currentMoved(const QModelIndex& current) {
    model_->tree().selectNode(model_->nodeOf(current));
}

}  // namespace omrix::print_window
