#pragma once
// The throwaway PostgreSQL server of scripts/with-test-server, as its variables name it.

#include <optional>
#include <string>

namespace omrix::testing {

inline constexpr const char* kNoTestServer =
    "no PostgreSQL test server: the server-database tests run under scripts/test, which "
    "starts one (scripts/with-test-server)";

// A server test program without a server ends with this: skipped (SKIP_RETURN_CODE).
inline constexpr int kSkippedExitCode = 77;

struct TestServer {
    std::string dataSource;  // in the odbc.ini that ODBCINI names
    std::string host;
    std::string database;
    std::string user;
    std::string password;

    // A [DATABASE] section logging on through the data source, the password enciphered.
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
