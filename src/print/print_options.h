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
};

enum class PrintTypeKind { B5, A4Internal, A4Formula, A4Yoko, A4Tate, Other };

struct PrintType {
    std::string_view name;  // as 内訳書出力形式Ｍ lists it
    std::string_view reportFile;
    std::string_view reportTitle;
    std::string_view typeName;
    std::string_view layout;  // the report design that paints it
    PrintTypeKind kind;
};

std::span<const PrintType> printTypes();

// The type of a list entry, by its name trimmed of blanks and then compared exactly:
// a name written with full-width brackets is another name. Null when unknown.
const PrintType* findPrintType(std::string_view entryName);

// The kind a type name stands for, compared exactly as it stands; Other when unknown.
PrintTypeKind printTypeKind(std::string_view typeName);

// Sets the report file, title and type name of the entry; with an unknown entry they
// are left empty and the result is false.
bool sbSetPrintType(PrintOptionRec& options, std::string_view entryName);

}  // namespace omrix::print
