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

TEST_F(CommandLine, ReadsTheSuitesKeysInAnyOrderAndCase) {
    appContext().CommandLine = "-Q:新築工事 -t:17 -h:01 -B:0001234 -W:4660";
    sbReadCommandLine();
    EXPECT_EQ(appContext().BukkenNo, "0001234");
    EXPECT_EQ(appContext().HanNo, "01");
    EXPECT_EQ(appContext().BukkenName, "新築工事");
    EXPECT_EQ(appContext().TantoshaID, 17);
    EXPECT_EQ(fnGetCallerWindow(), 4660);
}

TEST_F(CommandLine, ValueRules) {
    struct Case {
        const char* line;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"-B:111 -B:222", "B", "111"},  // first occurrence wins
        {"-B:5", "b", "5"},
        {"-Q:AB-B:9 -B:1", "B", "9"},  // the whole string is searched, values too
        {"-B=123", "B", "123"},        // the separator is skipped whatever it is
        {"-B123", "B", "23"},
        {"-B：123", "B", "123"},  // a full-width colon is one character, not one byte
        {"-B 123", "B", ""},      // a blank separator ends the value before it starts
        {"-Q:ABC DEF -B:1", "Q", "ABC"},
        {"   -B:1   ", "B", "1"},
        {"-Q:東京　本社 -B:1", "Q", "東京　本社"},  // U+3000 is no ASCII blank
        {"-B:1\t-H:2", "B", "1\t-H:2"},             // nor is a tab
        {"-B:1\t-H:2", "H", "2"},
        {"-B:1 -H", "H", ""},
        {"-B:1 -H:", "H", ""},
        {"-B:1", "H", ""},
        {"-B:1", "", ""},
        {"", "B", ""},
        {"-H:0", "H", "0"},
    };
    for (const Case& c : cases) {
        appContext().CommandLine = c.line;
        std::string value = "stale";
        bool found = fnGetCommandLineValue(c.key, value);
        EXPECT_EQ(value, c.value) << c.line << " key " << c.key;
        EXPECT_EQ(found, *c.value != '\0') << c.line << " key " << c.key;
    }
}

TEST_F(CommandLine, NoKeysLeaveEverythingEmpty) {
    appContext().CommandLine = "no keys at all";
    appContext().TantoshaID = 99;
    sbReadCommandLine();
    EXPECT_EQ(appContext().BukkenNo + appContext().HanNo + appContext().BukkenName, "");
    EXPECT_EQ(appContext().TantoshaID + fnGetCallerWindow(), 0);
}

TEST_F(CommandLine, OperatorAndWindowNumbers) {
    struct Case {
        const char* line;
        int32_t number;
    };
    for (const Case& c : {Case{"-T:42", 42}, Case{"-T:-7", -7}, Case{"-T:", 0}, Case{"-T:abc", 0},
                          Case{"-T:3.5", 4}, Case{"-T:2147483647", 2147483647},
                          Case{"-T:2147483648", 0}, Case{"-T:12abc", 0}}) {
        appContext().CommandLine = c.line;
        sbReadCommandLine();
        EXPECT_EQ(appContext().TantoshaID, c.number) << c.line;
    }
    for (const Case& c : {Case{"-W:1.5", 2}, Case{"-W:0x1F", 0}, Case{"-W:-2147483648", INT32_MIN},
                          Case{"-W:99999999999", 0}}) {
        appContext().CommandLine = c.line;
        EXPECT_EQ(fnGetCallerWindow(), c.number) << c.line;
    }
}

TEST_F(CommandLine, JoinsProgramArgumentsWithBlanks) {
    const char* argv[] = {"/opt/omrix/omrix-print", "-B:0001", "-H:02", "-Q:A B"};
    EXPECT_EQ(joinArguments(1, argv), "");
    appContext().CommandLine = joinArguments(4, argv);
    EXPECT_EQ(appContext().CommandLine, "-B:0001 -H:02 -Q:A B");
    sbReadCommandLine();
    EXPECT_EQ(appContext().BukkenName, "A");
}

}  // namespace
}  // namespace omrix::context
