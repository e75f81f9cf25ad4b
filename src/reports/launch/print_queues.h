#pragma once
// The CUPS queues a job may go to, asked of the print server itself ($CUPS_SERVER, or
// the machine's): Qt's QPrinter takes any name and, for one CUPS does not know, quietly
// prints on another queue, so a name is checked here before a job is sent.

#include <string>
#include <vector>

#include "util/failure.h"

namespace omrix::reports {

struct PrintQueue {
    std::string name;
    bool acceptingJobs = false;
    std::string stateMessage;  // printer-state-message, often empty
};

// Fails with the server's reason when the server cannot be asked.
util::Result<std::vector<PrintQueue>> listPrintQueues();

// Whether `name` is a queue that takes jobs; the failure names the queue and the reason.
util::Status checkPrintQueue(const std::string& name);

// The newest job of this user on `queue` held and titled `title`, with an ID above
// `after`; 0 when there is none.
int heldJobOf(const std::string& queue, const std::string& title, int after);
// The ID of the newest job of `queue` in its history, 0 without one.
int newestJobOf(const std::string& queue);
// Releases a held job to print, or cancels and purges it.
util::Status releaseJob(int job);
bool cancelJob(const std::string& queue, int job);

// The reason CUPS gave for the last request of this thread; "" when it succeeded.
std::string lastCupsFailure();

}  // namespace omrix::reports
