#include "reports/launch/report_search.h"

#include "reports/launch/report.h"

namespace omrix::reports {

QString ReportSearch::folded(const QString& text) {
    return text.normalized(QString::NormalizationForm_KC).toCaseFolded();
}

ReportSearch::ReportSearch(const Report& report, const QString& needle)
    : report_(report), needle_(folded(needle.trimmed())) {
    if (needle_.isEmpty()) next_ = report_.pageCount() + 1;
}

bool ReportSearch::finished() const {
    return next_ > report_.pageCount();
}

bool ReportSearch::searchMore(int pages) {
    for (int i = 0; i < pages && !finished(); ++i, ++next_) {
        const auto texts = report_.pageTexts(next_);
        if (!texts) {
            ++unread_;
            continue;
        }
        for (const PageText& text : *texts) {
            if (folded(text.text).contains(needle_)) hits_.push_back({next_, text.box});
        }
    }
    return !finished();
}

int ReportSearch::nextHit(int from, int page) const {
    if (hits_.empty()) return -1;
    if (from >= 0) return (from + 1) % static_cast<int>(hits_.size());
    for (std::size_t i = 0; i < hits_.size(); ++i) {
        if (hits_[i].page >= page) return static_cast<int>(i);
    }
    return 0;
}

int ReportSearch::previousHit(int from, int page) const {
    if (hits_.empty()) return -1;
    const int count = static_cast<int>(hits_.size());
    if (from >= 0) return (from + count - 1) % count;
    for (int i = count - 1; i >= 0; --i) {
        if (hits_[static_cast<std::size_t>(i)].page <= page) return i;
    }
    return count - 1;
}

}  // namespace omrix::reports
