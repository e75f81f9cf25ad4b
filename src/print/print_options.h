#pragma once
// The choices of one print run and the layouts the breakdown statement can take.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace omrix::print {

// Values of the option fields, as the window's controls give them.
inline constexpr int16_t kOptionOff = 0;  // a check box left clear
inline constexpr int16_t kOptionOn = 1;   // a check box ticked
inline constexpr int16_t kPrintJunjoAllToAll = 1;
inline constexpr int16_t kPrintJunjoToDown = 2;
inline constexpr int16_t kPageTypeOnlyNum = 1;
inline constexpr int16_t kPageTypeNames = 2;
inline constexpr int16_t kBesshiAndAll = 1;
inline constexpr int16_t kBesshiOnly = 2;

// Filled afresh from the main window (or the export program's options) for every run.
struct PrintOptionRec {
    int16_t nPrintJunjo = 0;       // 1 all levels side by side, 2 depth first (always 2)
    int16_t nOnlySuryo = 0;        // 1: quantities only, no prices or amounts
    int16_t nChofukuShoryaku = 0;  // 1: a name repeated from the line above prints as 〃
    int16_t nPageStart = 0;        // first page number
    int16_t nPageType = 0;         // 1 numbers only, 2 page names printed
    int16_t nBesshiPrint = 0;      // 1: lines kept apart from the statement get their pages
    int16_t nBesshiMode = 0;       // 1 those sheets and the statement, 2 the sheets only
    int16_t nPageTsuban = 0;       // 1: sheet pages continue the statement's numbering
    std::string sCompanyName;
    std::string sReportFile;
    std::string sReportTitle;
    std::string sPrintTypeName;
    std::string sPrintTypeEntry;  // the list entry as chosen, known or not, for messages
};

// The remark lines a statement prints in its two remark columns.
enum class PrintRemarks {
    Outside,         // the lines of 社外備考
    InHouse,         // the lines of 社内備考
    BothSingleLine,  // 社内備考 and 社外備考, each run into one line
};

// What the launch puts into the layout's text formula fields.
enum class StatementFormulas {
    CompanyName,      // field 1: the company name
    AmountKindNames,  // fields 3, 4, 5: the names of 金額種類 1, 2 and 5
    None,
};

// One layout of the statement: everything that differs between layouts, so that a new
// layout is one row here and its page geometry in the reports.
struct PrintType {
    std::string_view name;  // as 内訳書出力形式Ｍ lists it; also the run's type name
    std::string_view reportFile;
    std::string_view reportTitle;
    std::string_view layout;  // the report design that paints it
    bool allEstimates;        // 見積１ … 見積４ and 提出用, else only the estimate shown
    PrintRemarks remarks;
    StatementFormulas formulas;
};

std::span<const PrintType> printTypes();

// The type of a list entry, by its name trimmed of blanks and then compared exactly:
// a name written with full-width brackets is another name. Null when unknown.
const PrintType* findPrintType(std::string_view entryName);

// The type of a type name or a report file name, compared exactly as it stands;
// null when unknown.
const PrintType* printTypeNamed(std::string_view typeName);
const PrintType* printTypeOfReport(std::string_view reportFile);

// Sets the report file, title and type name of the entry; with an unknown entry they
// are left empty and the result is false.
bool sbSetPrintType(PrintOptionRec& options, std::string_view entryName);

// What fnGetPrintOption reads from the main window's controls, as plain values: the
// window fills it from its widgets, omrix-print-export from its flags. The defaults are
// the controls' start state.
struct PrintOptionControls {
    bool printJunjoAllToAll = false;  // Opt_PrintJunjoAllToAll selected
    bool onlySuryo = false;           // Chk_PrintOnlySuryo
    bool chofukuShoryaku = false;     // Chk_PrintChofukuShoryaku
    std::string pageCount = "1";      // Txt_PageCount
    bool pageTypeOnlyNum = true;      // Opt_PageTypeOnlyNum selected
    bool besshiPrint = false;         // Chk_BesshiPrint
    bool printBesshiAndAll = true;    // Opt_PrintBesshiAndAll selected
    bool pageTsuban = false;          // Chk_PageTsuban
    std::string companyText;          // Cmb_KaishaName as typed
    std::string printTypeEntry;       // the selected entry of Cmb_Shutsuryokuyoshiki; empty: none
};

// Fills `options` afresh from the controls and the print type table. False when the
// page count is no 16-bit number (blank gives 0); the run then ends.
bool fnGetPrintOption(const PrintOptionControls& controls, PrintOptionRec& options);

// Whether the 頁カウント box takes `text` as typed: a sign first, then digits (half- or
// full-width), and, once there are digits, a value within the 16-bit range, so that
// no typing slip reaches the run's silent end. Blank and a lone sign are still typing.
bool isPageCountInput(std::string_view text);
inline constexpr std::string_view kPageCountTip = "最初の頁番号（-32768 ～ 32767）";

}  // namespace omrix::print
