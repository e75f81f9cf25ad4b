#include "print_export_printing.h"

#include <CLI/CLI.hpp>

#include <cstdio>

#include "reports/launch/print_queues.h"

namespace omrix::apps {
namespace {

// "A-B" or "A": positions in a document, 1-based, A ≤ B.
bool parsePageRange(const std::string& text, int& first, int& last) {
    const size_t dash = text.find('-');
    const std::string a = text.substr(0, dash);
    const std::string b = dash == std::string::npos ? a : text.substr(dash + 1);
    auto number = [](const std::string& digits, int& value) {
        if (digits.empty() || digits.size() > 9 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            return false;
        value = std::stoi(digits);
        return value >= 1;
    };
    return number(a, first) && number(b, last) && first <= last;
}

std::string checkPageRange(const std::string& text) {
    int first = 0;
    int last = 0;
    if (parsePageRange(text, first, last)) return {};
    return "'" + text + "' is no page range (A-B with 1 <= A <= B, or one page A)";
}

}  // namespace

void declarePrintOptions(CLI::App& app, PrintChoice& choice) {
    CLI::Option* print =
        app.add_option("--print", choice.queue, "print each document on this CUPS queue");
    app.add_option("--page-range", choice.pageRange, "with --print: positions A-B of each document")
        ->check(checkPageRange)
        ->needs(print);
    app.add_option("--copies", choice.copies, "with --print: copies, 1-999")
        ->check(CLI::Range(1, reports::kMostCopies))
        ->needs(print);
}

reports::PrintJob printJobOf(const PrintChoice& choice) {
    reports::PrintJob job{.queue = choice.queue, .copies = choice.copies};
    if (!choice.pageRange.empty()) parsePageRange(choice.pageRange, job.firstPage, job.lastPage);
    return job;
}

bool queueTakesJobs(const PrintChoice& choice) {
    const util::Status queue = reports::checkPrintQueue(choice.queue);
    if (queue) return true;
    std::fprintf(stderr, "%s\n", queue.failure().text().c_str());
    return false;
}

}  // namespace omrix::apps
