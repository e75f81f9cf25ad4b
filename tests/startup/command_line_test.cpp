#include "startup/command_line.h"

#include <gtest/gtest.h>

#include "startup/app_context.h"

namespace omrix::startup {
namespace {

class CommandLine : public ::testing::Test {
  protected:
    void TearDown() override { resetAppContext(); }

    static std::string valueOf(const std::string& line, std::string_view key) {
        appContext().CommandLine = line;
        std::string value = "stale";
        fnGetCommandLineValue(key, value);
        return value;
    }
    static bool found(const std::string& line, std::string_view key) {
        appContext().CommandLine = line;
        std::string value;
        return fnGetCommandLineValue(key, value);
    }
};

TEST_F(CommandLine, ReadsTheSuitesKeysInAnyOrder) {
    appContext().CommandLine = "-Q:新築工事 -T:17 -H:01 -B:0001234 -W:4660";
    sbReadCommandLine();
    EXPECT_EQ(appContext().BukkenNo, "0001234");
    EXPECT_EQ(appContext().HanNo, "01");
    EXPECT_EQ(appContext().BukkenName, "新築工事");
    EXPECT_EQ(appContext().TantoshaID, 17);
    EXPECT_EQ(fnGetCallerWindow(), 4660);
}

TEST_F(CommandLine, FirstOccurrenceWinsEvenInsideAnotherValue) {
    EXPECT_EQ(valueOf("-B:111 -B:222", "B"), "111");
    EXPECT_EQ(valueOf("-b:111 -B:222", "B"), "111");
    // The whole string is searched, so a "-B" inside the name is found first.
    EXPECT_EQ(valueOf("-Q:AB-B:9 -B:1", "B"), "9");
}

TEST_F(CommandLine, KeysAreCaseInsensitive) {
    appContext().CommandLine = "-b:123 -h:01";
    sbReadCommandLine();
    EXPECT_EQ(appContext().BukkenNo, "123");
    EXPECT_EQ(appContext().HanNo, "01");
    EXPECT_EQ(valueOf("-B:5", "b"), "5");
}

TEST_F(CommandLine, SkipsAnySeparatorCharacter) {
    EXPECT_EQ(valueOf("-B=123", "B"), "123");
    EXPECT_EQ(valueOf("-Bx123", "B"), "123");
    EXPECT_EQ(valueOf("-B123", "B"), "23");
    // A full-width colon is one character, not its first byte.
    EXPECT_EQ(valueOf("-B：123", "B"), "123");
    // A blank as separator ends the value before it starts.
    EXPECT_EQ(valueOf("-B 123", "B"), "");
    EXPECT_FALSE(found("-B 123", "B"));
}

TEST_F(CommandLine, ValueEndsAtTheFirstBlank) {
    EXPECT_EQ(valueOf("-Q:ABC DEF -B:1", "Q"), "ABC");
    EXPECT_EQ(valueOf("   -B:1   ", "B"), "1");
    EXPECT_EQ(valueOf("-Q:東京　本社 -B:1", "Q"), "東京　本社");  // U+3000 is no ASCII blank
    // A tab is no blank either: it stays in the value and the next key is still found.
    EXPECT_EQ(valueOf("-B:1\t-H:2", "B"), "1\t-H:2");
    EXPECT_EQ(valueOf("-B:1\t-H:2", "H"), "2");
}

TEST_F(CommandLine, MissingOrEmptyValues) {
    appContext().CommandLine = "no keys at all";
    appContext().TantoshaID = 99;
    sbReadCommandLine();
    EXPECT_EQ(appContext().BukkenNo, "");
    EXPECT_EQ(appContext().HanNo, "");
    EXPECT_EQ(appContext().BukkenName, "");
    EXPECT_EQ(appContext().TantoshaID, 0);
    EXPECT_EQ(fnGetCallerWindow(), 0);

    EXPECT_FALSE(found("", "B"));
    EXPECT_FALSE(found("-B:1 -H", "H"));
    EXPECT_FALSE(found("-B:1 -H:", "H"));
    EXPECT_FALSE(found("-B:1 -H: ", "H"));
    EXPECT_EQ(valueOf("-B:1 -H", "H"), "");
    EXPECT_FALSE(found("-B:1", "H"));
    EXPECT_FALSE(found("-B:1", ""));
    EXPECT_TRUE(found("-H:0", "H"));
}

TEST_F(CommandLine, OperatorAndWindowNumbers) {
    struct Case {
        const char* line;
        int32_t id;
    };
    for (const Case& c : {Case{"-T:42", 42}, Case{"-T:-7", -7}, Case{"-T:", 0}, Case{"-T:abc", 0},
                          Case{"-T:2.5", 2}, Case{"-T:3.5", 4}, Case{"-T:2147483647", 2147483647},
                          Case{"-T:2147483648", 0}, Case{"-T:12abc", 0}}) {
        appContext().CommandLine = c.line;
        sbReadCommandLine();
        EXPECT_EQ(appContext().TantoshaID, c.id) << c.line;
    }
    appContext().CommandLine = "-W:1.5";
    EXPECT_EQ(fnGetCallerWindow(), 2);
    appContext().CommandLine = "-W:0x1F";
    EXPECT_EQ(fnGetCallerWindow(), 0);
    appContext().CommandLine = "-W:-2147483648";
    EXPECT_EQ(fnGetCallerWindow(), INT32_MIN);
    appContext().CommandLine = "-W:99999999999";
    EXPECT_EQ(fnGetCallerWindow(), 0);
}

TEST_F(CommandLine, JoinsProgramArgumentsWithBlanks) {
    const char* argv[] = {"/opt/omrix/omrix-print", "-B:0001", "-H:02", "-Q:A B"};
    EXPECT_EQ(joinArguments(4, argv), "-B:0001 -H:02 -Q:A B");
    EXPECT_EQ(joinArguments(1, argv), "");
    appContext().CommandLine = joinArguments(4, argv);
    sbReadCommandLine();
    EXPECT_EQ(appContext().BukkenName, "A");
}

}  // namespace
}  // namespace omrix::startup
