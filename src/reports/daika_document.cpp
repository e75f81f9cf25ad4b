#include "reports/report_document.h"
namespace omrix::reports {
std::unique_ptr<ReportDocument> loadDaikaDocument(const ReportSource&, std::string& error) {
    error = "todo";
    return nullptr;
}
}  // namespace omrix::reports
