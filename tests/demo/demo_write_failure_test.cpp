// A demo that cannot be written leaves nothing behind.

#include <gtest/gtest.h>

#include "data/core/schema.h"
#include "demo/demo_fixture.h"

namespace omrix::testing {
namespace {

TEST(DemoWrite, ADemoThatCannotBeWrittenLeavesNothing) {
    demo::DemoSummary summary;
    std::string error;
    {
        // Filled once: a second run is refused and changes nothing.
        DemoFile file(demo::DemoOptions{1, 40});
        ASSERT_EQ(file.error(), "");
        const std::string before = dumpDatabase(file.file());
        EXPECT_FALSE(demo::createDemoDatabase(file.db(), demo::DemoOptions{2, 40}, summary, error));
        EXPECT_NE(error.find("already"), std::string::npos) << error;
        EXPECT_EQ(dumpDatabase(file.file()), before);
    }
    {
        DemoFile file;
        ASSERT_EQ(file.error(), "");
        for (demo::DemoOptions bad :
             {demo::DemoOptions{1, 0}, demo::DemoOptions{1, demo::kDemoMaxLines + 1},
              demo::DemoOptions{1, 10, "12345678901234567", "01"},
              demo::DemoOptions{1, 10, "00000001", "12345"}}) {
            error.clear();
            EXPECT_FALSE(demo::createDemoDatabase(file.db(), bad, summary, error)) << bad.lines;
            EXPECT_NE(error, "");
        }
        // A table missing half-way: the masters and project written before it go too.
        ASSERT_TRUE(file.db().fnExecute("DROP TABLE 代価表;"));
        error.clear();
        EXPECT_FALSE(demo::createDemoDatabase(file.db(), demo::DemoOptions{}, summary, error));
        EXPECT_NE(error, "");
        EXPECT_EQ(queryNumber(file.file(), "SELECT Count(*) FROM 環境Ｍ"), 0);
        EXPECT_EQ(queryNumber(file.file(), "SELECT Count(*) FROM 物件管理"), 0);
        EXPECT_EQ(queryNumber(file.file(), "SELECT Count(*) FROM 内訳"), 0);
    }
    {
        // A database without the tables.
        TempFolder folder;
        data::CCCDBS_DataBase db;
        ASSERT_TRUE(data::createDatabaseFile(folder.file("empty.sqlite")));
        ASSERT_TRUE(db.fnOpen("sqlite", folder.file("empty.sqlite"), "", "", 1));
        error.clear();
        EXPECT_FALSE(demo::createDemoDatabase(db, demo::DemoOptions{}, summary, error));
        EXPECT_NE(error.find("init"), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace omrix::testing
