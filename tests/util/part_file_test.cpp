#include "util/part_file.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "context/temp_folder.h"

namespace omrix::util {
namespace {

using omrix::testing::readBytes;
using omrix::testing::TempFolder;
using omrix::testing::writeBytes;

TEST(PartFileTest, OldFileStaysUntilTheNewOneIsWholeAndNoPartIsLeft) {
    TempFolder dir;
    std::string out = dir.file("uchiwake.pdf");
    writeBytes(out, "old");
    {
        PartFile cancelled(out);
        writeBytes(cancelled.path(), "half");
    }  // dropped uncommitted: cancel or failure
    EXPECT_EQ(readBytes(out), "old");
    {
        PartFile part(out);
        writeBytes(part.path(), "new");
        EXPECT_EQ(readBytes(out), "old");
        ASSERT_TRUE(part.commit());
        EXPECT_EQ(part.commit().failure().text(), "was already finished");
    }
    EXPECT_EQ(readBytes(out), "new");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(PartFileTest, CommitThatCannotFinishRemovesThePart) {
    TempFolder dir;
    PartFile nothingWritten(dir.file("a.xlsx"));
    Status unopened = nothingWritten.commit();
    ASSERT_FALSE(unopened);
    EXPECT_EQ(unopened.failure().message, "cannot be opened to finish it");
    EXPECT_EQ(unopened.failure().cause, "No such file or directory");

    std::filesystem::create_directory(dir.file("b.pdf"));  // a folder stands in the way
    PartFile blocked(dir.file("b.pdf"));
    writeBytes(blocked.path(), "x");
    Status unrenamed = blocked.commit();
    ASSERT_FALSE(unrenamed);
    EXPECT_EQ(unrenamed.failure().text(), "cannot be renamed into place: Is a directory");
    EXPECT_FALSE(std::filesystem::exists(blocked.path()));
}

TEST(PartFileTest, TwoProcessesWriteApartAndPartNamesAreRecognised) {
    std::string mine = partPathOf("/o/uchiwake.pdf");
    pid_t child = ::fork();
    if (child == 0) {
        std::string theirs = partPathOf("/o/uchiwake.pdf");
        ::_exit(theirs != mine && theirs.starts_with("/o/uchiwake.pdf.") ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);

    EXPECT_TRUE(isPartFileOf("uchiwake.pdf.123.part", "uchiwake.pdf"));
    EXPECT_TRUE(isPartFileOf("uchiwake.pdf.part", "uchiwake.pdf"));
    EXPECT_FALSE(isPartFileOf("uchiwake.pdf.12a.part", "uchiwake.pdf"));
    EXPECT_FALSE(isPartFileOf("uchiwake.pdf..part", "uchiwake.pdf"));
    EXPECT_FALSE(isPartFileOf("uchiwake.pdfx.1.part", "uchiwake.pdf"));
    EXPECT_FALSE(isPartFileOf("uchiwake.pdf.1.partial", "uchiwake.pdf"));
}

}  // namespace
}  // namespace omrix::util
