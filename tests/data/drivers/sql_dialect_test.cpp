#include "data/drivers/sql_dialect.h"

#include <gtest/gtest.h>

#include "data/drivers/odbc_connection_string.h"
#include "data/core/schema.h"

namespace omrix::data {
namespace {

TEST(SqlDialect, SqlServerGetsTheTextAsWrittenPostgresOnlyWhatItMustChange) {
    auto sqlServer = dialectForDbms("Microsoft SQL Server");
    auto postgres = dialectForDbms("PostgreSQL");
    const struct {
        const char* written;
        const char* postgres;
    } cases[] = {
        // Bracketed names become quoted ones, in the lower case of unquoted names.
        {"Select [工種＿科目コード], [ＫＥＹＩＤ１] From t",
         "Select \"工種_科目コード\", \"keyid1\" From t"},
        // Literals and comments stay as they are, brackets in them too.
        {"Insert Into t Values ('[ＡＢ]''ｓ', GetDate()) -- [Ｘ]",
         "Insert Into t Values ('[ＡＢ]''ｓ', GetDate()) -- [Ｘ]"},
        {"Select \"Ｑ\" From t Where a = '[' And [b] = 1",
         "Select \"Q\" From t Where a = '[' And \"b\" = 1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sqlServer->statementText(c.written), c.written);
        EXPECT_EQ(postgres->statementText(c.written), c.postgres);
    }
}

// Every server test makes the PostgreSQL schema; SQL Server's is checked here.
TEST(SqlDialect, OneSchemaSourceServesEveryServerAndErrorsByServer) {
    std::string_view schema = embeddedSchemaSql();
    std::string postgres = dialectForDbms("PostgreSQL")->schemaText(schema);
    std::string sqlServer = dialectForDbms("Microsoft SQL Server")->schemaText(schema);
    EXPECT_EQ(sqlServer.find("--"), std::string::npos);
    EXPECT_EQ(sqlServer.find("datetime('now'"), std::string::npos);
    EXPECT_EQ(schemaTableNames(sqlServer), schemaTableNames(schema));
    EXPECT_EQ(schemaTableNames(postgres).size(), schemaTableNames(schema).size());
    EXPECT_NE(sqlServer.find("(ＫＥＹＩＤ１, ＫＥＹＩＤ２, テーブル名称)"), std::string::npos);
    EXPECT_NE(sqlServer.find("DEFAULT (GetDate())"), std::string::npos);
    // Key violations and savepoints by server.
    auto sqlServerDialect = dialectForDbms("Microsoft SQL Server");
    EXPECT_FALSE(dialectForDbms("PostgreSQL")->isKeyViolation("23502", 7));  // a NULL: no lock
    EXPECT_TRUE(sqlServerDialect->isKeyViolation("23000", 2601));
    EXPECT_FALSE(sqlServerDialect->isKeyViolation("23000", 547));  // a foreign key
    EXPECT_EQ(sqlServerDialect->releaseSavepoint("s"), "");
}

TEST(OdbcConnectionString, DataSourceOrDriverAndValuesThatCannotEndTheirPair) {
    const struct {
        OdbcLogOn logOn;  // data source, driver, server, database, user, password
        const char* text;
    } cases[] = {
        {{"omrix", "", "srv", "db", "sa", "pw"}, "DSN=omrix;DATABASE=db;UID=sa;PWD=pw"},
        {{"", "", "db.example", "見積", "sa", ""},
         "DRIVER={PostgreSQL Unicode};SERVER=db.example;DATABASE=見積;UID=sa;PWD="},
        {{"", "ODBC Driver 18 for SQL Server", "srv", "", "u", "a;b}c= "},
         "DRIVER={ODBC Driver 18 for SQL Server};SERVER=srv;UID=u;PWD={a;b}}c= }"},
    };
    for (const auto& c : cases) EXPECT_EQ(odbcConnectionString(c.logOn), c.text);
}

}  // namespace
}  // namespace omrix::data
