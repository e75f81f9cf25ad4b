#include "context/ini_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <thread>

#include "context/app_context.h"
#include "context/fresh_context.h"
#include "context/temp_folder.h"
#include "platform/ini_write.h"
#include "platform/shown_messages.h"
#include "util/cp932.h"

namespace omrix::context {
namespace {

namespace fs = std::filesystem;
using platform::VBFILE_WriteINI;
using testing::readBytes;
using testing::writeBytes;

class IniTest : public ::testing::Test {
  protected:
    void SetUp() override { appContext().Messages = sink; }

    std::string read(std::string_view section, std::string_view key) {
        return VBFILE_ReadINI(section, key, 0, path);
    }
    void write(std::string_view section, std::string_view key, std::string_view value) {
        VBFILE_WriteINI(section, key, value, 0, path);
    }
    // Files in the folder: the INI file alone once a write is over.
    long files() const {
        return std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator());
    }

    testing::FreshContext fresh_;
    testing::TempFolder folder;
    const std::string path = folder.file("OMRIX.INI");
    std::shared_ptr<platform::RecordingSink> sink = std::make_shared<platform::RecordingSink>();
};

using IniRead = IniTest;
using IniWrite = IniTest;

TEST_F(IniRead, SpacingCaseCommentsAndStrayLines) {
    writeBytes(path,
               "\xEF\xBB\xBF  [  database  ]  trailing text\n"
               ";SERVER_NAME=commented\n"
               "\tserver_name \t=   sqlite   \n"
               "  ; DB_NAME=commented too\n"
               "DB_NAME = demo.sqlite\n"
               "USER_NAME=a=b\n"
               "[KALVERON]\n"
               "TANTOSHA =  山田 太郎  \n"
               "tantosha=second\n"
               "PRINTCOMAPNYNAME=株式会社A ;B支店\n"
               "QUOTED= \"demo.sqlite\" \nHALF=\"open\nINNER=a\"b\"\nEMPTY=\"\"\n"
               "[kalveron]\nTANTOSHA=other section\nONLYHERE=x\n");
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {" Database ", "Server_Name", "sqlite"},
        // Only a line starting with ';' is a comment; inside a value it stays.
        {"DATABASE", "DB_NAME", "demo.sqlite"},
        {"KALVERON", "PRINTCOMAPNYNAME", "株式会社A ;B支店"},
        {"DATABASE", "USER_NAME", "a=b"},
        // The first key of a name in the first section of a name wins.
        {"KALVERON", "TANTOSHA", "山田 太郎"},
        {"KALVERON", "ONLYHERE", ""},
        // A value in double quotes is read without them, as Windows reads it.
        {"KALVERON", "QUOTED", "demo.sqlite"},
        {"KALVERON", "HALF", "\"open"},
        {"KALVERON", "INNER", "a\"b\""},
        {"KALVERON", "EMPTY", ""},
    };
    for (const auto& [section, key, value] : cases) EXPECT_EQ(read(section, key), value) << key;
}

TEST_F(IniRead, BufferLimitsNulsAndMissingFiles) {
    EXPECT_EQ(fnReadDatabaseIniValue("DATABASE", "SERVER_NAME", path), "");
    EXPECT_EQ(VBFILE_ReadINI("DATABASE", "SERVER_NAME", 0, folder.path().string()), "");
    std::string ascii(200, 'x');
    std::string kanji;
    for (int i = 0; i < 200; ++i) kanji += "漢";
    writeBytes(path, "[KALVERON]\nPRINTCOMAPNYNAME=" + ascii + "\nKANJI=" + kanji +
                         "\n[DATABASE]\nPASSWORD=" + std::string(3000, 'p') + "\n");
    EXPECT_EQ(read("KALVERON", "PRINTCOMAPNYNAME"), std::string(127, 'x'));
    EXPECT_EQ(read("KALVERON", "KANJI"), kanji.substr(0, 127 * 3));
    EXPECT_EQ(fnReadDatabaseIniValue("DATABASE", "PASSWORD", path), std::string(2047, 'p'));
    // Trailing NULs are peeled off.
    using namespace std::string_literals;
    writeBytes(path, "[S]\nA=abc\0\0\nC=\0abc\0\nD=ab\0cd\0\n"s);
    EXPECT_EQ(read("S", "A"), "abc");
    EXPECT_EQ(fnReadDatabaseIniValue("S", "D", path), "ab");
    // A NUL in front is kept: the database reader only cuts behind the first character.
    EXPECT_EQ(fnReadDatabaseIniValue("S", "C", path), "\0abc\0"s);
    EXPECT_TRUE(sink->messages().empty());
    // A named pipe in the INI file's place is refused at once, never waited on.
    const std::string pipe = folder.file("PIPE.INI");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(fnReadDatabaseIniValue("DATABASE", "DB_NAME", pipe), "");
    util::Status checked = checkIniFile(pipe);
    ASSERT_FALSE(checked);
    EXPECT_EQ(checked.failure().text(), pipe + " is not a regular file");
}

TEST_F(IniWrite, ReplacesOneValueAndKeepsEveryOtherByteCp932Too) {
    const std::string before =
        "; OMRIX settings\r\n"
        "\r\n"
        "[DATABASE]\r\n"
        "SERVER_NAME = sqlite   \r\n"
        "[UNKNOWN]\r\n"
        "whatever this is\r\n"
        "[kalveron]\r\n"
        "PrintComapnyName  =  old name  \r\n"
        "PRINTCOMAPNYNAME=second\r\n";
    writeBytes(path, before);
    ::chmod(path.c_str(), 0600);
    const std::string link = folder.file("link.ini");
    fs::create_symlink(path, link);
    VBFILE_WriteINI("KALVERON", "PRINTCOMAPNYNAME", "株式会社 新", 0, link);
    std::string expected = before;
    expected.replace(expected.find("old name  "), 10, "株式会社 新");
    EXPECT_EQ(readBytes(path), expected);
    EXPECT_TRUE(fs::is_symlink(link));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_TRUE(sink->messages().empty());
    // A CP932 file is read, and stays CP932 byte for byte.
    // 0xEE 0xEF is an NEC-selected form that converts back to a different code: only
    // keeping the untouched lines as bytes gives the same file back.
    const std::string head =
        util::utf8ToCp932("; 設定ファイル\r\n[KALVERON]\r\nTANTOSHA=山田\r\n") + "; \xEE\xEF\r\n";
    const std::string tail = util::utf8ToCp932("[GIJYUTU]\r\nPATH=ソフト\\資料\r\n");
    writeBytes(path, head + util::utf8ToCp932("PRINTCOMAPNYNAME=旧会社\r\n") + tail);

    write("KALVERON", "PRINTCOMAPNYNAME", "新会社①");
    EXPECT_EQ(readBytes(path), head + util::utf8ToCp932("PRINTCOMAPNYNAME=新会社①\r\n") + tail);
    // A new key in a CP932 file is written in CP932 too.
    write("KALVERON", "BackupFlag", "一");
    EXPECT_NE(readBytes(path).find(util::utf8ToCp932("BackupFlag=一\r\n")), std::string::npos);
    // ソ ends in the byte '\', which must not be taken for a separator.
    EXPECT_EQ(read("GIJYUTU", "PATH"), "ソフト\\資料");
}

TEST_F(IniWrite, MissingFileSectionOrKeyIsAdded) {
    write("KALVERON", "PRINTCOMAPNYNAME", "株式会社");
    EXPECT_EQ(readBytes(path), "[KALVERON]\nPRINTCOMAPNYNAME=株式会社\n");

    writeBytes(path, "[A]\r\nX=1");  // line ends as the file has them
    write("B", "K", "v");
    EXPECT_EQ(readBytes(path), "[A]\r\nX=1\r\n[B]\r\nK=v");
    // A new key goes after the section's last key, before blanks and comments.
    writeBytes(path, "[A]\nX=1\n\n; heading of B\n[B]\nK=v\n[A]\nZ=dup\n");
    write("a", "Y", "2");
    EXPECT_EQ(readBytes(path), "[A]\nX=1\nY=2\n\n; heading of B\n[B]\nK=v\n[A]\nZ=dup\n");
    EXPECT_TRUE(sink->messages().empty());
}

TEST_F(IniWrite, FailedWriteShows3024AndKeepsTheFile) {
    const std::string before = "[KALVERON]\nPRINTCOMAPNYNAME=old\n";
    writeBytes(path, before);
    VBFILE_WriteINI("KALVERON", "PRINTCOMAPNYNAME", "new", 0, folder.file("no/such/OMRIX.INI"));
    // Names and values that cannot stay on one line are refused, not written half.
    write("KALVERON", "PRINTCOMAPNYNAME", "two\nlines");
    write("KALVERON", "KEY=X", "v");
    write("KALVERON", "  ", "v");

    const auto shown = testing::shownTexts(*sink);
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0], "3024|\"new\"||VBFILE_WriteINI");
    for (const auto& message : sink->messages()) EXPECT_EQ(message.number, 3024);
    EXPECT_EQ(readBytes(path), before);
}

TEST_F(IniWrite, FailureAfterTheTemporaryFileLeavesNothingBehind) {
    const std::string before = "[KALVERON]\nPRINTCOMAPNYNAME=old\n";
    writeBytes(path, before);
    // A file size limit makes the write of the new contents fail, even for root.
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit small{.rlim_cur = 64, .rlim_max = saved.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &small);
    write("KALVERON", "PRINTCOMAPNYNAME", std::string(500, 'n'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    ASSERT_EQ(sink->messages().size(), 1u);
    EXPECT_EQ(sink->messages()[0].number, 3024);
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(files(), 1);
}

TEST_F(IniWrite, ReadersNeverSeeAHalfWrittenFile) {
    const std::string longValue(2000, 'L');
    writeBytes(path, "[DATABASE]\nSERVER_NAME=sqlite\n[KALVERON]\nPRINTCOMAPNYNAME=s\n");
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 0; i < 100; ++i)
            write("KALVERON", "PRINTCOMAPNYNAME", i % 2 ? longValue : "s");
        done = true;
    });
    bool whole = true;
    for (int reads = 0; whole && (!done || reads == 0); ++reads) {
        std::string value = fnReadDatabaseIniValue("KALVERON", "PRINTCOMAPNYNAME", path);
        whole = fnReadDatabaseIniValue("DATABASE", "SERVER_NAME", path) == "sqlite" &&
                (value == "s" || value == longValue);
    }
    writer.join();
    EXPECT_TRUE(whole);
    EXPECT_EQ(files(), 1);
}

}  // namespace
}  // namespace omrix::context
