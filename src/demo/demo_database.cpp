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

util::Status validOptions(const DemoOptions& o) {
    if (o.lines < 1 || o.lines > kDemoMaxLines)
        return util::Failure("the number of lines must be between 1 and " +
                             std::to_string(kDemoMaxLines));
    const auto bukken = util::trimBlanks(o.bukkenNo);
    const auto han = util::trimBlanks(o.hanNo);
    if (bukken.empty() || util::fnLenByte(bukken) > 16 || bukken.find('\'') != bukken.npos)
        return util::Failure("the project number must be 1 to 16 bytes without quotes");
    if (han.empty() || util::fnLenByte(han) > 4 || han.find('\'') != han.npos)
        return util::Failure("the version number must be 1 to 4 bytes without quotes");
    return {};
}

// -1 when the query does not run (a table of the schema is missing).
int64_t countRows(data::CCCDBS_DataBase& db, const std::string& fromWhere) {
    auto rs = db.fnOpenRecordSet("Select Count(*) AS RecCount From " + fromWhere + ";");
    if (!rs || rs->pbEOF()) return -1;
    return rs->fnGetInt("RecCount");
}

util::Status emptyEnough(data::CCCDBS_DataBase& db, const DemoOptions& o) {
    const int64_t kankyo = countRows(db, "環境Ｍ");
    const int64_t project =
        countRows(db, "内訳名称 Where LTrim(RTrim(物件No)) = '" +
                          data::fnSqlQuote(util::trimBlanks(o.bukkenNo), 16) + "'");
    if (kankyo < 0 || project < 0)
        return util::Failure("the database has no schema (run omrix-db init first)",
                             db.lastErrorText());
    if (kankyo > 0 || project > 0)
        return util::Failure("the database already holds masters or project " +
                             std::string(util::trimBlanks(o.bukkenNo)) +
                             " (run omrix-db init --force first)");
    return {};
}

}  // namespace

util::Result<DemoSummary> createDemoDatabase(data::CCCDBS_DataBase& db,
                                             const DemoOptions& options) {
    if (util::Status valid = validOptions(options); !valid) return valid.failure();
    if (util::Status empty = emptyEnough(db, options); !empty) return empty.failure();

    DemoRandom random(options.seed);
    DemoFormulas formulas(projectVariables());
    BreakdownPlan plan;
    if (!planBreakdown(random, formulas, kDemoKojiName, options.lines, plan) ||
        !computeAmounts(plan))
        return util::Failure("the demo breakdown could not be priced");

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
    if (!transaction.begun())
        return util::Failure("no transaction could be begun", db.lastErrorText());
    if (!writeMasters(db) || !writeProject(db, keys, totals) ||
        !writeBreakdown(db, keys.uchiwakeNameId, plan))
        return util::Failure("writing the demo failed", db.lastErrorText());
    if (!transaction.commit())
        return util::Failure("the demo could not be committed", db.lastErrorText());
    return DemoSummary{
        .lines = totals.lastUchiwakeId, .daikahyo = totals.lastDaikahyoId, .total = total};
}

}  // namespace omrix::demo
