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

}  // namespace omrix::print
