// A demo that cannot be written leaves nothing behind.

#include <gtest/gtest.h>

#include "data/core/schema.h"
#include "demo/demo_fixture.h"

namespace omrix::testing {
namespace {

TEST(DemoWrite, ADemoThatCannotBeWrittenLeavesNothing) {
    {
        // Filled once: a second run is refused and changes nothing.
        DemoFile file(demo::DemoOptions{1, 40});
        ASSERT_EQ(file.error(), "");
        const std::string before = dumpDatabase(file.file());
        auto again = demo::createDemoDatabase(file.db(), demo::DemoOptions{2, 40});
        ASSERT_FALSE(again);
        EXPECT_NE(again.failure().text().find("already"), std::string::npos);
        EXPECT_EQ(dumpDatabase(file.file()), before);
    }
    {
        DemoFile file;
        ASSERT_EQ(file.error(), "");
        for (demo::DemoOptions bad :
             {demo::DemoOptions{1, 0}, demo::DemoOptions{1, demo::kDemoMaxLines + 1},
              demo::DemoOptions{1, 10, "12345678901234567", "01"},
              demo::DemoOptions{1, 10, "00000001", "12345"}}) {
            auto refused = demo::createDemoDatabase(file.db(), bad);
            ASSERT_FALSE(refused) << bad.lines;
            EXPECT_NE(refused.failure().message, "");
        }
        // A table missing half-way: the masters and project written before it go too.
        ASSERT_TRUE(file.db().fnExecute("DROP TABLE 代価表;"));
        auto halfway = demo::createDemoDatabase(file.db(), demo::DemoOptions{});
        ASSERT_FALSE(halfway);
        // The statement's own reason reaches the caller beside what was being done.
        EXPECT_EQ(halfway.failure().message, "writing the demo failed");
        EXPECT_NE(halfway.failure().cause.find("代価表"), std::string::npos)
            << halfway.failure().cause;
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
        auto bare = demo::createDemoDatabase(db, demo::DemoOptions{});
        ASSERT_FALSE(bare);
        EXPECT_NE(bare.failure().text().find("init"), std::string::npos);
    }
}

}  // namespace
}  // namespace omrix::testing
