#include "data/test_server.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace omrix::testing {
namespace {

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// Without a server: skipped, or failed in CI, before the first test (a skip would pass).
class ServerEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (testServer()) return;
        bool required = testServerRequired();
        std::fprintf(stderr, "%s%s\n", kNoTestServer,
                     required ? "; CI needs one, so these tests fail" : "; skipped");
        std::exit(required ? EXIT_FAILURE : kSkippedExitCode);
    }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new ServerEnvironment);

}  // namespace

std::optional<TestServer> testServer() {
    TestServer server{.dataSource = variable("OMRIX_TEST_SERVER_DSN"),
                      .host = variable("OMRIX_TEST_SERVER_HOST"),
                      .database = variable("OMRIX_TEST_SERVER_DB"),
                      .user = variable("OMRIX_TEST_SERVER_USER"),
                      .password = variable("OMRIX_TEST_SERVER_PASSWORD")};
    if (server.dataSource.empty() || server.database.empty() || server.user.empty())
        return std::nullopt;
    return server;
}

bool testServerRequired() {
    return variable("OMRIX_TEST_SERVER_REQUIRED") == "1" || variable("CI") == "true";
}

}  // namespace omrix::testing
