#pragma once
// omrix-print-export's printing: --print QUEUE, --page-range A-B, --copies N, and the
// queue checked before a run starts.

#include <string>

#include "reports/launch/report_printer.h"

namespace CLI {
class App;
}

namespace omrix::apps {

struct PrintChoice {
    std::string queue;  // empty: nothing is printed
    std::string pageRange;
    int copies = 1;
};

void declarePrintOptions(CLI::App& app, PrintChoice& choice);
reports::PrintJob printJobOf(const PrintChoice& choice);
// True when the queue CUPS lists takes jobs; else one line on standard error.
bool queueTakesJobs(const PrintChoice& choice);

}  // namespace omrix::apps
