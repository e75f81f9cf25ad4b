#include "demo/demo_database.h"

#include "data/tables/record_conventions.h"
#include "demo/demo_amounts.h"
#include "demo/demo_breakdown.h"
#include "demo/demo_breakdown_write.h"
#include "demo/demo_formulas.h"
#include "demo/demo_masters.h"
#include "demo/demo_project.h"
#include "demo/demo_random.h"
#include "util/text.h"

namespace omrix::demo {
namespace {

bool validOptions(const DemoOptions& o, std::string& error) {
    if (o.lines < 1 || o.lines > kDemoMaxLines) {
        error = "the number of lines must be between 1 and " + std::to_string(kDemoMaxLines);
        return false;
    }
    const auto bukken = util::trimBlanks(o.bukkenNo);
    const auto han = util::trimBlanks(o.hanNo);
    if (bukken.empty() || util::fnLenByte(bukken) > 16 || bukken.find('\'') != bukken.npos) {
        error = "the project number must be 1 to 16 bytes without quotes";
        return false;
    }
    if (han.empty() || util::fnLenByte(han) > 4 || han.find('\'') != han.npos) {
        error = "the version number must be 1 to 4 bytes without quotes";
        return false;
    }
    return true;
}

// -1 when the query does not run (a table of the schema is missing).
int64_t countRows(data::CCCDBS_DataBase& db, const std::string& fromWhere) {
    auto rs = db.fnOpenRecordSet("Select Count(*) AS RecCount From " + fromWhere + ";");
    if (!rs || rs->pbEOF()) return -1;
    return rs->fnGetInt("RecCount");
}

bool emptyEnough(data::CCCDBS_DataBase& db, const DemoOptions& o, std::string& error) {
    const int64_t kankyo = countRows(db, "環境Ｍ");
    const int64_t project =
        countRows(db, "内訳名称 Where LTrim(RTrim(物件No)) = '" +
                          data::fnSqlQuote(util::trimBlanks(o.bukkenNo), 16) + "'");
    if (kankyo < 0 || project < 0) {
        error = "the database has no schema (run omrix-db init first): " + db.lastErrorText();
        return false;
    }
    if (kankyo > 0 || project > 0) {
        error = "the database already holds masters or project " +
                std::string(util::trimBlanks(o.bukkenNo)) + " (run omrix-db init --force first)";
        return false;
    }
    return true;
}

}  // namespace

bool createDemoDatabase(data::CCCDBS_DataBase& db, const DemoOptions& options, DemoSummary& summary,
                        std::string& error) {
    summary = DemoSummary{};
    if (!validOptions(options, error) || !emptyEnough(db, options, error)) return false;

    DemoRandom random(options.seed);
    DemoFormulas formulas(projectVariables());
    BreakdownPlan plan;
    if (!planBreakdown(random, formulas, kDemoKojiName, options.lines, plan) ||
        !computeAmounts(plan)) {
        error = "the demo breakdown could not be priced";
        return false;
    }

    const DemoProjectKeys keys{std::string(util::trimBlanks(options.bukkenNo)),
                               std::string(util::trimBlanks(options.hanNo)), kDemoUchiwakeNameId};
    DemoProjectTotals totals;
    totals.lastUchiwakeId = static_cast<int32_t>(plan.lines.size());
    for (const auto& l : plan.lines) {
        if (l.daika) totals.lastDaikahyoId = std::max(totals.lastDaikahyoId, l.daika->代価表ＩＤ);
    }
    const util::Currency total = plan.lines.front().提出用金額;
    // The contract was signed at the estimate cut to ten thousand yen.
    totals.contractAmount =
        util::Currency::fromUnits(total.wholeUnits() / 10000 * 10000).value_or(util::Currency());

    data::Transaction transaction(db);
    if (!transaction.begun()) {
        error = "no transaction could be begun: " + db.lastErrorText();
        return false;
    }
    if (!writeMasters(db) || !writeProject(db, keys, totals) ||
        !writeBreakdown(db, keys.uchiwakeNameId, plan)) {
        error = "writing the demo failed: " + db.lastErrorText();
        return false;
    }
    if (!transaction.commit()) {
        error = "the demo could not be committed: " + db.lastErrorText();
        return false;
    }
    summary.lines = totals.lastUchiwakeId;
    summary.daikahyo = totals.lastDaikahyoId;
    summary.total = total;
    return true;
}

}  // namespace omrix::demo
