#pragma once
// A report printed on a CUPS queue through Qt PrintSupport: the queue checked against
// CUPS' own list first, the paper and orientation of the design on each job (so that
// the printer does not rescale), only the pages of the range sent (a pass-through
// queue keeps page-ranges as an attribute and prints everything), copies left to CUPS.

#include <string>
#include <vector>

#include "util/failure.h"

class QPageRanges;

namespace omrix::reports {

class Report;

struct PrintJob {
    std::string queue;
    int firstPage = 1;  // positions in the document, 1-based
    int lastPage = 0;   // 0: to the last page
    int copies = 1;     // 1 … kMostCopies
};

inline constexpr int kMostCopies = 999;

// Pages first … last of a document of `count` pages, cut at its end; empty when none
// of them exists.
std::vector<int> pagesInRange(int first, int last, int count);
// The same for a dialog's list ("1,3,5-7"); an empty list means every page.
std::vector<int> pagesInRanges(const QPageRanges& ranges, int count);

// Loads the report when needed and prints the job's pages, giving how many pages went.
// The failure is one line naming the queue and CUPS' reason. A job with no page of the
// document in its range prints nothing and succeeds.
util::Result<int> printReportOnQueue(Report& report, const PrintJob& job);

}  // namespace omrix::reports
