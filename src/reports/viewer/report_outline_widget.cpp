#include "reports/viewer/report_outline_widget.h"

#include <QHeaderView>
#include <QSettings>
#include <algorithm>

namespace omrix::reports {
namespace {

constexpr int kPageRole = Qt::UserRole;
constexpr const char* kShownKey = "viewer/outlineShown";

}  // namespace

int outlineEntryAt(const std::vector<OutlineEntry>& entries, int page) {
    auto after = std::upper_bound(entries.begin(), entries.end(), page,
                                  [](int p, const OutlineEntry& e) { return p < e.page; });
    return static_cast<int>(after - entries.begin()) - 1;
}

ReportOutlineWidget::ReportOutlineWidget(QWidget* parent) : QTreeWidget(parent) {
    setObjectName("outline");
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
    header()->setStretchLastSection(true);
    auto choose = [this](QTreeWidgetItem* item) {
        if (item != nullptr && onPageChosen) onPageChosen(item->data(0, kPageRole).toInt());
    };
    connect(this, &QTreeWidget::itemClicked, this, choose);
    connect(this, &QTreeWidget::itemActivated, this, choose);
}

void ReportOutlineWidget::setEntries(std::vector<OutlineEntry> entries) {
    clear();
    items_.clear();
    entries_ = std::move(entries);
    std::vector<QTreeWidgetItem*> open;  // the last item of each level
    for (const OutlineEntry& e : entries_) {
        const auto level = static_cast<std::size_t>(std::max(e.level, 0));
        open.resize(std::min(open.size(), level));
        auto* item = open.empty() ? new QTreeWidgetItem(this) : new QTreeWidgetItem(open.back());
        item->setText(0, QString::fromStdString(e.title));
        item->setToolTip(0, QString("%1 頁").arg(e.page));
        item->setData(0, kPageRole, e.page);
        items_.push_back(item);
        open.push_back(item);
    }
}

void ReportOutlineWidget::showPage(int page) {
    const int at = outlineEntryAt(entries_, page);
    if (at < 0) {
        clearSelection();
        setCurrentItem(nullptr);
        return;
    }
    QTreeWidgetItem* item = items_[static_cast<std::size_t>(at)];
    for (QTreeWidgetItem* up = item->parent(); up != nullptr; up = up->parent())
        up->setExpanded(true);
    setCurrentItem(item);
    scrollToItem(item);
}

bool ReportOutlineWidget::rememberedShown() {
    return QSettings("omrix", "omrix-print").value(kShownKey, true).toBool();
}

void ReportOutlineWidget::rememberShown(bool shown) {
    QSettings("omrix", "omrix-print").setValue(kShownKey, shown);
}

}  // namespace omrix::reports
