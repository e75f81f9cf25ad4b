#pragma once
// The outline beside a statement's pages (its sub-statements, nested as in the PDF's
// bookmarks): a click goes to the entry's page, and the entry of the page in view is
// marked as the user pages. The entries come from the report's rows, not from painting,
// so that the panel is there at once on thousands of pages.

#include <QTreeWidget>
#include <functional>
#include <vector>

#include "reports/engine/pdf_update.h"

namespace omrix::reports {

// The entry whose pages hold `page`: the last one, in the list's order, that starts on
// or before it; -1 before the first. Entries come in page order.
int outlineEntryAt(const std::vector<OutlineEntry>& entries, int page);

class ReportOutlineWidget : public QTreeWidget {
  public:
    explicit ReportOutlineWidget(QWidget* parent = nullptr);

    void setEntries(std::vector<OutlineEntry> entries);
    bool isEmpty() const { return entries_.empty(); }
    // Marks the entry of `page` and opens the entries above it.
    void showPage(int page);
    // The entry's page, when the user chose one.
    std::function<void(int page)> onPageChosen;

    // Whether the panel is shown, kept between sessions.
    static bool rememberedShown();
    static void rememberShown(bool shown);

  private:
    std::vector<OutlineEntry> entries_;
    std::vector<QTreeWidgetItem*> items_;  // by entry
};

}  // namespace omrix::reports
