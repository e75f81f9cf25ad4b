#pragma once
// The throwaway PostgreSQL server that scripts/with-test-server starts for the
// server-database tests, as its variables describe it.

#include <optional>
#include <string>

namespace omrix::testing {

inline constexpr const char* kNoTestServer =
    "no PostgreSQL test server: the server-database tests run under scripts/test, which "
    "starts one (scripts/with-test-server)";

// The exit status of a server test program that had no server to run against; the
// test runner counts it as skipped (SKIP_RETURN_CODE in tests/CMakeLists.txt).
inline constexpr int kSkippedExitCode = 77;

struct TestServer {
    std::string dataSource;  // in the odbc.ini that ODBCINI names
    std::string host;
    std::string database;
    std::string user;
    std::string password;

    // An OMRIX.INI [DATABASE] section logging on through the data source with the
    // password in its stored (enciphered) form.
    std::string databaseSection(const std::string& storedPassword) const {
        return "[DATABASE]\nSERVER_NAME=" + host + "\nDB_NAME=" + database + "\nUSER_NAME=" + user +
               "\nPASSWORD=" + storedPassword + "\nSQL_DNS=" + dataSource + "\n";
    }
};

// Null when no server was started for this run.
std::optional<TestServer> testServer();

// In CI a missing server fails the server tests instead of skipping them.
bool testServerRequired();

}  // namespace omrix::testing
