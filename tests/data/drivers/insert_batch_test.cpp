#include "data/drivers/insert_batch.h"

#include <gtest/gtest.h>

namespace omrix::data {
namespace {

const ColumnTypeNames kTypes = {{"更新日", "timestamp"}, {"id", "int4"},     {"名称", "varchar"},
                                {"金額", "numeric"},     {"code", "bpchar"}, {"point", "point"}};

std::string asOne(std::string_view sql) {
    InsertBatch batch;
    if (!parseInsertBatch(sql, batch)) return "as written";
    std::string text = unnestedInsertText(batch, kTypes);
    return text.empty() ? "as written" : text;
}

TEST(InsertBatch, RowsOfOneShapeBecomeOneArrayPerColumn) {
    EXPECT_EQ(
        asOne("Insert Into t (更新日, ID, 名称, 金額) Values (GetDate(), 1, 'a''b', -0.0001);\r\n"
              "INSERT INTO t (更新日, ID, 名称, 金額) VALUES ( GetDate() ,2,'x\"y\\z{,}',NULL);"),
        "INSERT INTO t (更新日, ID, 名称, 金額) SELECT GetDate(), "
        "unnest('{\"1\",\"2\"}'::int4[]), "
        "unnest('{\"a''b\",\"x\\\"y\\\\z{,}\"}'::varchar[]), "
        "unnest('{\"-0.0001\",NULL}'::numeric[])");
    // Text literals are read by the column's type as literals are: dates, integers.
    // Blank-padded texts go trimmed, with the lengths that pad them back.
    EXPECT_EQ(asOne("Insert Into t (更新日, id, 名称) Values ('2026-04-01 10:20:30', '7', 'ab  ');"
                    "Insert Into t (更新日, id, 名称) Values (NULL, '8', '  ');"
                    "Insert Into t (更新日, id, 名称) Values (NULL, '9', '全''角 ');"),
              "INSERT INTO t (更新日, id, 名称) SELECT "
              "unnest('{\"2026-04-01 10:20:30\",NULL,NULL}'::timestamp[]), "
              "unnest('{\"7\",\"8\",\"9\"}'::int4[]), "
              "rpad(unnest('{\"ab\",\"\",\"全''角\"}'::varchar[]), unnest('{4,2,4}'::int4[]))");
    // A value the same in every row goes as its literal; one column of values stays
    // an array, as it gives the rows.
    EXPECT_EQ(asOne("Insert Into t (id, 名称) Values (1, 'x  ');"
                    "Insert Into t (id, 名称) Values (2, 'x  ');"),
              "INSERT INTO t (id, 名称) SELECT unnest('{\"1\",\"2\"}'::int4[]), 'x  '");
    EXPECT_EQ(asOne("Insert Into t (id, 名称) Values (1, NULL);"
                    "Insert Into t (id, 名称) Values (1, NULL);"),
              "INSERT INTO t (id, 名称) SELECT unnest('{\"1\",\"1\"}'::int4[]), NULL");
}

TEST(InsertBatch, AnythingElseRunsAsWritten) {
    const char* cases[] = {
        "Insert Into t (id) Values (1);",                                     // one row
        "Insert Into t (id) Values (1); Insert Into t (名称) Values ('a');",  // other columns
        "Insert Into t Values (1); Insert Into t Values (2);",                // no column list
        "Insert Into t (id) Values (1), (3); Insert Into t (id) Values (2);",
        "Insert Into t (id) Values (1 + 1); Insert Into t (id) Values (2 + 1);",
        "Insert Into t (更新日) Values (GetDate()); Insert Into t (更新日) Values (GetDate());",
        "Insert Into t (名称) Values ('a); Insert Into t (名称) Values (b');",
        // A number into text, a fraction into an integer, a type or column not known.
        "Insert Into t (名称) Values (1); Insert Into t (名称) Values (2);",
        "Insert Into t (id) Values (1.5); Insert Into t (id) Values (2);",
        "Insert Into t (point) Values ('(1,2)'); Insert Into t (point) Values ('(3,4)');",
        "Insert Into t (無い列) Values (1); Insert Into t (無い列) Values (2);",
    };
    for (const char* sql : cases) EXPECT_EQ(asOne(sql), "as written") << sql;
}

}  // namespace
}  // namespace omrix::data
