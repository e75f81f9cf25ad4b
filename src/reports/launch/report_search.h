#pragma once
// Find in a report: looks through the texts the pages show (the report's own rows,
// not pixels), page after page, a few pages per call so that a viewer stays live
// while a long statement is searched. Case and character width are ignored, so that
// "abc" finds "ＡＢＣ".

#include <QString>
#include <vector>

#include "reports/engine/page_painter.h"

namespace omrix::reports {

class Report;

struct SearchHit {
    int page = 0;
    MmRect box;  // the text the hit is in, in millimetres of the paper
};

class ReportSearch {
  public:
    // The report must stay loaded while the search runs. A blank needle finds nothing.
    ReportSearch(const Report& report, const QString& needle);

    // Looks through up to `pages` more pages; false once every page has been looked at.
    bool searchMore(int pages);
    bool finished() const;
    int pagesSearched() const { return next_ - 1; }
    const std::vector<SearchHit>& hits() const { return hits_; }
    // Pages whose rows could not be read: not looked through, so "not found" cannot be said.
    int pagesUnread() const { return unread_; }

    // The hit after (before) hit `from`, going round at the end; with `from` -1, the
    // first hit on or after (the last on or before) `page`. -1 without hits.
    int nextHit(int from, int page) const;
    int previousHit(int from, int page) const;

    // How texts compare: case and width folded (NFKC), blanks kept.
    static QString folded(const QString& text);

  private:
    const Report& report_;
    QString needle_;
    int next_ = 1;
    int unread_ = 0;
    std::vector<SearchHit> hits_;
};

}  // namespace omrix::reports
