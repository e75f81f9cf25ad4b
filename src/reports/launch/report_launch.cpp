#include "reports/launch/report_launch.h"

#include "context/ini_file.h"
#include "data/core/failure_cause.h"
#include "data/core/program_database.h"
#include "data/tables/master_names.h"
#include "platform/messages.h"
#include "platform/password.h"
#include "project/tables/bukken_gaiyou.h"
#include "project/tables/bukken_mitsumori_youkou.h"
#include "reports/launch/report.h"
#include "util/text.h"

namespace omrix::reports {
namespace {

using print::ViewerKind;

// The report log-on goes through the 128-byte reader, not the database object's own.
std::string databaseValue(std::string_view key) {
    return std::string(util::trimBlanks(context::fnReadIniValue("DATABASE", key)));
}

// The 金額種類 names head the columns of the internal-check statement.
void setAmountKindFields(Report& report) {
    constexpr int32_t kKinds[] = {1, 2, 5};
    data::CCCDBS_DataBase* db = data::programDatabase();
    int field = 3;
    for (int32_t kind : kKinds) {
        std::string name = db ? data::fnOmrix_DBT_KingakuShuruiM_GetName(*db, kind) : std::string();
        report.FormulaFields().Item(field++).text = quotedFormulaText(util::trimBlanksRight(name));
    }
}

// The layout is known by its report file name; an unknown one gets no field.
void setStatementFields(std::string_view reportFile, const print::PrintOptionRec& options,
                        Report& report) {
    const print::PrintType* type = print::printTypeOfReport(reportFile);
    if (type == nullptr) return;
    switch (type->formulas) {
        case print::StatementFormulas::CompanyName:
            report.FormulaFields().Item(1).text =
                quotedFormulaText(util::trimBlanksRight(options.sCompanyName));
            break;
        case print::StatementFormulas::AmountKindNames:
            setAmountKindFields(report);
            break;
        case print::StatementFormulas::None:
            break;
    }
}

}  // namespace

std::string quotedFormulaText(std::string_view text) {
    return "'" + std::string(text) + "'";
}

LogOnInfo fnReadReportLogOn() {
    LogOnInfo logOn;
    logOn.server = databaseValue("SQL_DNS");
    logOn.database = databaseValue("DB_NAME");
    logOn.user = databaseValue("USER_NAME");
    // A password that does not decipher already stopped start-up; here it stays empty.
    util::Result<std::string> password = platform::decodeStoredPassword(databaseValue("PASSWORD"));
    if (password) logOn.password = std::move(password).value();
    return logOn;
}

void sbReportLogOn(Report& report) {
    LogOnInfo logOn = fnReadReportLogOn();
    report.Database().Tables().Item(1).SetLogOnInfo(logOn.server, logOn.user, logOn.password,
                                                    logOn.database);
}

bool fnShowUchiwakeReport(int32_t lUchiwakeNameID, const print::PrintOptionRec& options,
                          Report* report, ViewerHost& viewers) {
    if (report == nullptr) {
        platform::showMessageBox("出力様式「" + options.sPrintTypeEntry + "」の帳票がありません。",
                                 platform::kStyleExclamation, "内訳書");
        return false;
    }
    setStatementFields(util::trimBlanks(options.sReportFile), options, *report);
    sbReportLogOn(*report);
    report->RecordSelectionFormula = "{内訳出力.内訳名称ＩＤ} = " + std::to_string(lUchiwakeNameID);
    report->Database().Tables().Item(1).Location = "内訳出力";
    return viewers.openViewer(ViewerKind::Uchiwakesho, *report);
}

bool fnShowDaikaReport(int32_t lUchiwakeNameID, Report& report, ViewerHost& viewers) {
    sbReportLogOn(report);
    report.RecordSelectionFormula = "{代価表.内訳名称ＩＤ} = " + std::to_string(lUchiwakeNameID);
    report.Database().Tables().Item(1).Location = "代価表";
    report.Database().Tables().Item(2).Location = "内訳";
    report.Database().Tables().Item(3).Location = "内訳";
    return viewers.openViewer(ViewerKind::Daika, report);
}

bool fnShowGaiyouReport(std::string_view sBukkenNo, Report& report, ViewerHost& viewers) {
    sbReportLogOn(report);
    project::BukkenGaiyouRec rec;
    // The reader gives a cleared record, ID 0, when the project has no row.
    data::CCCDBS_DataBase* db = data::programDatabase();
    const bool read =
        db != nullptr && project::fnOmrix_DBT_BukkenGaiyou_Select(*db, sBukkenNo, rec);
    if (!read || rec.物件概要ＩＤ == 0) {
        platform::fnPIMORA01_DispMessage(3010, platform::kStyleOk, "工事概要の取得", "", "");
        // A missing row is no failure of the database: its last reason is not this one's.
        if (!read) data::showFailureCause(db);
        return false;
    }
    report.RecordSelectionFormula = "{物件概要.物件概要ＩＤ} = " + std::to_string(rec.物件概要ＩＤ);
    report.Database().Tables().Item(1).Location = "物件概要";
    return viewers.openViewer(ViewerKind::Gaiyou, report);
}

bool fnShowYoukouReport(std::string_view sBukkenNo, std::string_view sHanNo,
                        std::string_view sCompanyName, Report& report, ViewerHost& viewers) {
    sbReportLogOn(report);
    project::BukkenMitsumoriYoukouRec rec;
    data::CCCDBS_DataBase* db = data::programDatabase();
    const bool read = db != nullptr && project::fnOmrix_DBT_BukkenMitsumoriYoukou_Select(
                                           *db, sBukkenNo, sHanNo, rec);
    if (!read || rec.物件見積要項ＩＤ == 0) {
        platform::fnPIMORA01_DispMessage(3010, platform::kStyleOk, "物件見積要項の取得", "", "");
        if (!read) data::showFailureCause(db);
        return false;
    }
    report.RecordSelectionFormula =
        "{物件見積要項.物件見積要項ＩＤ} = " + std::to_string(rec.物件見積要項ＩＤ);
    report.Database().Tables().Item(1).Location = "物件見積要項";
    report.FormulaFields().Item(1).text = quotedFormulaText(util::trimBlanksRight(sCompanyName));
    return viewers.openViewer(ViewerKind::Youkou, report);
}

}  // namespace omrix::reports
