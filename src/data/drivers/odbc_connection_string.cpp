#include "data/drivers/odbc_connection_string.h"

namespace omrix::data {
namespace {

// A value that holds ';', braces or '=' or outer blanks goes in braces, a '}' inside
// doubled.
std::string connectionValue(std::string_view value) {
    bool plain = value.find_first_of(";{}=") == std::string_view::npos &&
                 (value.empty() || (value.front() != ' ' && value.back() != ' '));
    if (plain) return std::string(value);
    std::string out = "{";
    for (char c : value) {
        out += c;
        if (c == '}') out += '}';
    }
    return out + "}";
}

std::string_view driverOf(const OdbcLogOn& logOn) {
    return logOn.driver.empty() ? kDefaultOdbcDriver : logOn.driver;
}

}  // namespace

std::string odbcConnectionString(const OdbcLogOn& logOn) {
    std::string text;
    if (!logOn.dataSource.empty()) {
        text = "DSN=" + connectionValue(logOn.dataSource);
    } else {
        text =
            "DRIVER={" + std::string(driverOf(logOn)) + "};SERVER=" + connectionValue(logOn.server);
    }
    if (!logOn.database.empty()) text += ";DATABASE=" + connectionValue(logOn.database);
    text += ";UID=" + connectionValue(logOn.user);
    text += ";PWD=" + connectionValue(logOn.password);
    return text;
}

std::string odbcLogOnTarget(const OdbcLogOn& logOn) {
    if (!logOn.dataSource.empty()) return "the ODBC data source \"" + logOn.dataSource + "\"";
    return "the server \"" + logOn.server + "\" through the ODBC driver \"" +
           std::string(driverOf(logOn)) + "\"";
}

}  // namespace omrix::data
