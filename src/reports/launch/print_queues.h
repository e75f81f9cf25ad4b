#pragma once
// The CUPS queues a job may go to, asked of the print server itself ($CUPS_SERVER, or
// the machine's): Qt's QPrinter takes any name and, for one CUPS does not know, quietly
// prints on another queue, so a name is checked here before a job is sent.

#include <string>
#include <vector>

namespace omrix::reports {

struct PrintQueue {
    std::string name;
    bool acceptingJobs = false;
    std::string stateMessage;  // printer-state-message, often empty
};

// False with `error` (the server's reason) when the server cannot be asked.
bool listPrintQueues(std::vector<PrintQueue>& queues, std::string& error);

// "" when `name` is a queue that takes jobs; else one line naming the queue and the reason.
std::string queueRefusal(const std::string& name);

// The newest job of this user on `queue` held and titled `title`, with an ID above
// `after`; 0 when there is none.
int heldJobOf(const std::string& queue, const std::string& title, int after);
// The ID of the newest job of `queue` in its history, 0 without one.
int newestJobOf(const std::string& queue);
// Releases a held job to print, or cancels and purges it; false with `error`.
bool releaseJob(int job, std::string& error);
bool cancelJob(const std::string& queue, int job);

// The reason CUPS gave for the last request of this thread; "" when it succeeded.
std::string lastCupsFailure();

}  // namespace omrix::reports
