#pragma once
// The four launches: each sets up its report object (table log-on, selection formula,
// table locations, text formula fields) and opens its viewer through the user side.

#include <cstdint>
#include <string>
#include <string_view>

#include "print/print_options.h"
#include "reports/launch/viewer_host.h"
#include "reports/engine/report_object.h"

namespace omrix::reports {

class Report;

// [DATABASE] SQL_DNS, USER_NAME, PASSWORD (deciphered) and DB_NAME, each trimmed.
LogOnInfo fnReadReportLogOn();

// Log-on of table 1 only, database name last.
void sbReportLogOn(Report& report);

// The rows of breakdown lUchiwakeNameID; the report name of the options picks the
// formula fields. A null report (no print type was ever recognised) cannot be shown:
// message box, false.
bool fnShowUchiwakeReport(int32_t lUchiwakeNameID, const print::PrintOptionRec& options,
                          Report* report, ViewerHost& viewers);
bool fnShowDaikaReport(int32_t lUchiwakeNameID, Report& report, ViewerHost& viewers);
// Message 3010 工事概要の取得 and false without a 物件概要 row.
bool fnShowGaiyouReport(std::string_view sBukkenNo, Report& report, ViewerHost& viewers);
// Message 3010 物件見積要項の取得 and false without a 物件見積要項 row.
bool fnShowYoukouReport(std::string_view sBukkenNo, std::string_view sHanNo,
                        std::string_view sCompanyName, Report& report, ViewerHost& viewers);

// "'" + text + "'": a quote inside stays as it is, as the engine's formula text takes it.
std::string quotedFormulaText(std::string_view text);

}  // namespace omrix::reports
