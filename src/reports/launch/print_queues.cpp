#include "reports/launch/print_queues.h"

#include <cups/cups.h>

#include <algorithm>
#include <cctype>
#include <iterator>

namespace omrix::reports {
namespace {

std::string textOf(ipp_attribute_t* attribute) {
    const char* text = ippGetString(attribute, 0, nullptr);
    return text != nullptr ? text : "";
}

}  // namespace

std::string lastCupsFailure() {
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) return {};
    const char* reason = cupsLastErrorString();
    return reason != nullptr && *reason != '\0' ? reason : ippErrorString(cupsLastError());
}

util::Result<std::vector<PrintQueue>> listPrintQueues() {
    std::vector<PrintQueue> queues;
    static const char* const kAttributes[] = {"printer-name", "printer-is-accepting-jobs",
                                              "printer-state-message"};
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(std::size(kAttributes)), nullptr, kAttributes);
    // cupsDoRequest frees the request.
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    // A server without printers answers "not found".
    if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND) {
        ippDelete(response);
        return queues;
    }
    if (response == nullptr || cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
        util::Failure failure("the print server cannot be asked for its queues", lastCupsFailure());
        ippDelete(response);
        return failure;
    }
    PrintQueue queue;
    auto flush = [&] {
        if (!queue.name.empty()) queues.push_back(queue);
        queue = {};
    };
    for (ipp_attribute_t* a = ippFirstAttribute(response); a != nullptr;
         a = ippNextAttribute(response)) {
        const char* name = ippGetName(a);
        if (name == nullptr) {
            flush();  // the separator between two printers
            continue;
        }
        std::string_view key(name);
        if (key == "printer-name") queue.name = textOf(a);
        if (key == "printer-is-accepting-jobs") queue.acceptingJobs = ippGetBoolean(a, 0) != 0;
        if (key == "printer-state-message") queue.stateMessage = textOf(a);
    }
    flush();
    ippDelete(response);
    return queues;
}

int newestJobOf(const std::string& queue) {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_ALL);
    int newest = 0;
    for (int i = 0; i < count; ++i) newest = std::max(newest, jobs[i].id);
    cupsFreeJobs(count, jobs);
    return newest;
}

int heldJobOf(const std::string& queue, const std::string& title, int after) {
    cups_job_t* jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.c_str(), 1, CUPS_WHICHJOBS_ACTIVE);
    int found = 0;
    for (int i = 0; i < count; ++i) {
        const cups_job_t& j = jobs[i];
        if (j.id > after && j.id > found && j.state == IPP_JSTATE_HELD && j.title != nullptr &&
            title == j.title)
            found = j.id;
    }
    cupsFreeJobs(count, jobs);
    return found;
}

util::Status releaseJob(int job) {
    ipp_t* request = ippNewRequest(IPP_OP_RELEASE_JOB);
    const std::string uri = "ipp://localhost/jobs/" + std::to_string(job);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippDelete(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/jobs/"));
    if (std::string failure = lastCupsFailure(); !failure.empty()) return util::Failure(failure);
    return {};
}

bool cancelJob(const std::string& queue, int job) {
    return cupsCancelJob2(CUPS_HTTP_DEFAULT, queue.c_str(), job, 1) == IPP_STATUS_OK;
}

util::Status checkPrintQueue(const std::string& name) {
    const std::string queue = "print queue " + name;
    auto listed = listPrintQueues();
    if (!listed) return util::Failure(queue, listed.failure().text());
    const std::vector<PrintQueue>& queues = *listed;
    // CUPS compares queue names without regard to case.
    auto same = [&](const PrintQueue& q) {
        return std::equal(q.name.begin(), q.name.end(), name.begin(), name.end(),
                          [](char a, char b) { return std::tolower(a) == std::tolower(b); });
    };
    auto found = std::find_if(queues.begin(), queues.end(), same);
    if (found == queues.end()) {
        std::string known;
        for (const PrintQueue& q : queues) known += (known.empty() ? "" : ", ") + q.name;
        return util::Failure(
            queue, "CUPS has no such queue (its queues: " + (known.empty() ? "none" : known) + ")");
    }
    if (!found->acceptingJobs) {
        return util::Failure(
            queue, "CUPS does not accept jobs for it (" +
                       (found->stateMessage.empty() ? "Rejecting Jobs." : found->stateMessage) +
                       ")");
    }
    return {};
}

}  // namespace omrix::reports
