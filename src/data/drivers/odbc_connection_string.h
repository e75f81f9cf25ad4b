#pragma once
// The ODBC connection string of a server log-on. It holds the password: it is handed
// to the driver manager, kept only by the driver to log on again, never traced or shown.

#include <string>
#include <string_view>

namespace omrix::data {

inline constexpr std::string_view kDefaultOdbcDriver = "PostgreSQL Unicode";

// Where the log-on goes: a data source of odbc.ini, or else a driver and a server.
struct OdbcLogOn {
    std::string dataSource;  // [DATABASE] SQL_DNS
    std::string driver;      // [DATABASE] ODBC_DRIVER; empty: kDefaultOdbcDriver
    std::string server;
    std::string database;
    std::string user;
    std::string password;
};

// "DSN=<source>;DATABASE=<db>;UID=<user>;PWD=<password>" with a data source, else
// "DRIVER={<driver>};SERVER=<server>;DATABASE=<db>;UID=<user>;PWD=<password>".
// Values that would end their pair are braced; an empty database is left out.
std::string odbcConnectionString(const OdbcLogOn& logOn);

// Where the log-on went, for a message: the data source, or the server and driver.
std::string odbcLogOnTarget(const OdbcLogOn& logOn);

}  // namespace omrix::data
