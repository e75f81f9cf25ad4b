#include "reports/engine/project_heading.h"

#include <vector>

#include "data/tables/record_conventions.h"
#include "reports/engine/report_connection.h"
#include "util/text.h"

namespace omrix::reports {
namespace {

struct NameRow {
    std::string first;
    std::string second;
    std::string third;
};

// The first row of a query of up to three text columns; empty texts without one.
NameRow firstRow(data::CCCDBS_DataBase& db, const std::string& sql, std::string_view a,
                 std::string_view b = {}, std::string_view c = {}) {
    std::vector<NameRow> rows;
    // A heading that cannot be read prints blank.
    (void)readReportRows(db, sql, rows, [&](NameRow& r, data::FieldReader& v) {
        v(a, r.first);
        if (!b.empty()) v(b, r.second);
        if (!c.empty()) v(c, r.third);
    });
    if (rows.empty()) return {};
    NameRow& r = rows.front();
    return {std::string(util::trimBlanks(r.first)), std::string(util::trimBlanks(r.second)),
            std::string(util::trimBlanks(r.third))};
}

std::string byBukkenNo(std::string_view table, std::string_view bukkenNo) {
    return "Select * From " + std::string(table) +
           " Where 削除区分 = '0' And (LTrim(RTrim(物件No)) = '" + data::fnSqlQuote(bukkenNo, 0) +
           "') ;";
}

}  // namespace

ProjectHeading readProjectHeading(data::CCCDBS_DataBase& db, int32_t uchiwakeNameId) {
    ProjectHeading heading;
    NameRow name = firstRow(db,
                            "Select * From 内訳名称 Where 削除区分 = '0' And (内訳名称ＩＤ = " +
                                std::to_string(uchiwakeNameId) + ") ;",
                            "内訳名称", "物件No", "版No");
    heading.breakdownName = name.first;
    heading.bukkenNo = name.second;
    heading.hanNo = name.third;
    if (!heading.bukkenNo.empty()) {
        heading.projectName =
            firstRow(db, byBukkenNo("物件管理", heading.bukkenNo), "工事名称").first;
        if (heading.projectName.empty())
            heading.projectName =
                firstRow(db, byBukkenNo("物件概要", heading.bukkenNo), "工事名称").first;
    }
    if (heading.projectName.empty()) heading.projectName = heading.breakdownName;
    return heading;
}

}  // namespace omrix::reports
