#include "reports/engine/report_object.h"

namespace omrix::reports {

void ReportTable::SetLogOnInfo(std::string_view server, std::string_view user,
                               std::string_view password, std::string_view database) {
    logOn_ = {std::string(server), std::string(user), std::string(password), std::string(database)};
    loggedOn_ = true;
}

}  // namespace omrix::reports
