#include "print/print_options.h"

#include "util/numbers.h"
#include "util/text.h"

namespace omrix::print {

std::span<const PrintType> printTypes() {
    static constexpr PrintType kTypes[] = {
        {.name = "B5",
         .reportFile = "OMRIX_PRINT_B5UCHIWAKESHO.RPT",
         .reportTitle = "内訳書",
         .layout = "B5_UCHIWAKESHO",
         .allEstimates = false,
         .remarks = PrintRemarks::Outside,
         .formulas = StatementFormulas::CompanyName},
        {.name = "A4(社内確認用)",
         .reportFile = "OMRIX_PRINT_A4YOKO.RPT",
         .reportTitle = "内訳書(社内確認用)",
         .layout = "PRINTA4YOKO",
         .allEstimates = true,
         .remarks = PrintRemarks::InHouse,
         .formulas = StatementFormulas::AmountKindNames},
        {.name = "A4(計算式)",
         .reportFile = "OMRIX_PRINT_A4EXP.RPT",
         .reportTitle = "内訳書",
         .layout = "PRINT_A4EXP",
         .allEstimates = false,
         .remarks = PrintRemarks::BothSingleLine,
         .formulas = StatementFormulas::None},
        {.name = "A4(横)",
         .reportFile = "OMRIX_PRINT_A4YOKOUCHIWAKESHO.RPT",
         .reportTitle = "内訳書",
         .layout = "A4YOKOUCHIWAKESHO",
         .allEstimates = false,
         .remarks = PrintRemarks::Outside,
         .formulas = StatementFormulas::CompanyName},
        {.name = "A4(縦)",
         .reportFile = "OMRIX_PRINT_A4TATE.RPT",
         .reportTitle = "内訳書",
         .layout = "PRINT_A4TATE",
         .allEstimates = false,
         .remarks = PrintRemarks::Outside,
         .formulas = StatementFormulas::CompanyName},
    };
    return kTypes;
}

const PrintType* findPrintType(std::string_view entryName) {
    const std::string_view name = util::trimBlanks(entryName);
    for (const PrintType& type : printTypes()) {
        if (type.name == name) return &type;
    }
    return nullptr;
}

const PrintType* printTypeNamed(std::string_view typeName) {
    for (const PrintType& type : printTypes()) {
        if (type.name == typeName) return &type;
    }
    return nullptr;
}

const PrintType* printTypeOfReport(std::string_view reportFile) {
    for (const PrintType& type : printTypes()) {
        if (type.reportFile == reportFile) return &type;
    }
    return nullptr;
}

bool sbSetPrintType(PrintOptionRec& options, std::string_view entryName) {
    const PrintType* type = findPrintType(entryName);
    options.sReportFile = type ? type->reportFile : "";
    options.sReportTitle = type ? type->reportTitle : "";
    options.sPrintTypeName = type ? type->name : "";  // the type name is its entry name
    options.sPrintTypeEntry = entryName;
    return type != nullptr;
}

bool fnGetPrintOption(const PrintOptionControls& controls, PrintOptionRec& options) {
    options = PrintOptionRec{};
    options.nPrintJunjo = controls.printJunjoAllToAll ? 1 : 2;
    options.nOnlySuryo = controls.onlySuryo ? 1 : 0;
    options.nChofukuShoryaku = controls.chofukuShoryaku ? 1 : 0;
    options.nPageType = controls.pageTypeOnlyNum ? 1 : 2;
    options.nBesshiPrint = controls.besshiPrint ? 1 : 0;
    options.nBesshiMode = controls.printBesshiAndAll ? 1 : 2;
    options.nPageTsuban = controls.pageTsuban ? 1 : 0;
    options.sCompanyName = std::string(util::trimBlanksRight(controls.companyText));
    sbSetPrintType(options, controls.printTypeEntry);
    return util::fnCIntText(controls.pageCount, options.nPageStart);
}

namespace {

// "０" … "９" in UTF-8: EF BC 90 … EF BC 99.
constexpr std::string_view kFullWidthZero = "\xEF\xBC\x90";

// The length of the digit at `at` (1 or 3 bytes), 0 for none.
std::size_t digitAt(std::string_view text, std::size_t at) {
    if (at < text.size() && text[at] >= '0' && text[at] <= '9') return 1;
    const std::string_view rest = text.substr(at);
    if (rest.size() >= 3 && rest.substr(0, 2) == kFullWidthZero.substr(0, 2) &&
        static_cast<unsigned char>(rest[2]) >= 0x90 && static_cast<unsigned char>(rest[2]) <= 0x99)
        return 3;
    return 0;
}

}  // namespace

bool isPageCountInput(std::string_view text) {
    std::size_t at = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    const std::size_t firstDigit = at;
    while (at < text.size()) {
        const std::size_t length = digitAt(text, at);
        if (length == 0) return false;
        at += length;
    }
    int16_t value = 0;
    return at == firstDigit || util::fnCIntText(text, value);
}

}  // namespace omrix::print
