#include "context/command_line.h"

#include <gtest/gtest.h>

#include "context/app_context.h"
#include "context/fresh_context.h"

namespace omrix::context {
namespace {

class CommandLine : public ::testing::Test {
  protected:
    testing::FreshContext fresh_;
};

TEST_F(CommandLine, ReadsTheSuitesKeysInAnyOrderAndCaseAndClearsWhatIsMissing) {
    const char* argv[] = {
        "/opt/omrix/omrix-print", "-Q:新築工事 A", "-t:17", "-h:01", "-B:0001234", "-W:4660"};
    EXPECT_EQ(joinArguments(1, argv), "");
    appContext().CommandLine = joinArguments(6, argv);
    sbReadCommandLine();
    EXPECT_EQ(appContext().BukkenNo + "/" + appContext().HanNo + "/" + appContext().BukkenName,
              "0001234/01/新築工事");
    EXPECT_EQ(appContext().TantoshaID, 17);
    EXPECT_EQ(fnGetCallerWindow(), 4660);

    appContext().CommandLine = "no keys at all";
    sbReadCommandLine();
    EXPECT_EQ(appContext().BukkenNo + appContext().HanNo + appContext().BukkenName, "");
    EXPECT_EQ(appContext().TantoshaID + fnGetCallerWindow(), 0);
}

TEST_F(CommandLine, ValueRules) {
    const struct {
        const char* line;
        const char* key;
        const char* value;
    } cases[] = {
        {"-B:111 -B:222", "B", "111"},  // first occurrence wins
        {"-Q:AB-B:9 -B:1", "B", "9"},   // the whole string is searched, values too
        {"-B123", "B", "23"},           // the separator is skipped whatever it is
        {"-B：123", "B", "123"},        // a full-width colon is one character, not one byte
        {"-B 123", "B", ""},            // a blank separator ends the value before it starts
        {"-Q:東京　本社 -B:1", "Q", "東京　本社"},  // U+3000 is no ASCII blank
        {"-B:1\t-H:2", "B", "1\t-H:2"},             // nor is a tab
        {"-H:0", "H", "0"},
    };
    for (const auto& c : cases) {
        appContext().CommandLine = c.line;
        std::string value = "stale";
        bool found = fnGetCommandLineValue(c.key, value);
        EXPECT_EQ(value, c.value) << c.line << " key " << c.key;
        EXPECT_EQ(found, *c.value != '\0') << c.line << " key " << c.key;
    }
}

// Operator (-T) and window (-W) numbers: Long, rounded, anything else 0.
TEST_F(CommandLine, OperatorAndWindowNumbers) {
    const std::pair<const char*, int32_t> cases[] = {
        {"-T:3.5", 4}, {"-T:2147483647", 2147483647}, {"-T:2147483648", 0}, {"-T:12abc", 0},
        {"-W:1.5", 2}, {"-W:-2147483648", INT32_MIN},
    };
    for (const auto& [line, number] : cases) {
        appContext().CommandLine = line;
        sbReadCommandLine();
        EXPECT_EQ(line[1] == 'T' ? appContext().TantoshaID : fnGetCallerWindow(), number) << line;
    }
}

}  // namespace
}  // namespace omrix::context
