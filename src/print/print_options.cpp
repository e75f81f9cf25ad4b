#include "print/print_options.h"

#include <array>

#include "util/text.h"

namespace omrix::print {

std::span<const PrintType> printTypes() {
    using enum PrintTypeKind;
    static constexpr std::array<PrintType, 5> kTypes{{
        {"B5", "OMRIX_PRINT_B5UCHIWAKESHO.RPT", "内訳書", "B5", "B5_UCHIWAKESHO", B5},
        {"A4(社内確認用)", "OMRIX_PRINT_A4YOKO.RPT", "内訳書(社内確認用)", "A4(社内確認用)",
         "PRINTA4YOKO", A4Internal},
        {"A4(計算式)", "OMRIX_PRINT_A4EXP.RPT", "内訳書", "A4(計算式)", "PRINT_A4EXP", A4Formula},
        {"A4(横)", "OMRIX_PRINT_A4YOKOUCHIWAKESHO.RPT", "内訳書", "A4(横)", "A4YOKOUCHIWAKESHO",
         A4Yoko},
        {"A4(縦)", "OMRIX_PRINT_A4TATE.RPT", "内訳書", "A4(縦)", "PRINT_A4TATE", A4Tate},
    }};
    return kTypes;
}

const PrintType* findPrintType(std::string_view entryName) {
    const std::string_view name = util::trimBlanks(entryName);
    for (const PrintType& type : printTypes()) {
        if (type.name == name) return &type;
    }
    return nullptr;
}

PrintTypeKind printTypeKind(std::string_view typeName) {
    for (const PrintType& type : printTypes()) {
        if (type.typeName == typeName) return type.kind;
    }
    return PrintTypeKind::Other;
}

bool sbSetPrintType(PrintOptionRec& options, std::string_view entryName) {
    const PrintType* type = findPrintType(entryName);
    options.sReportFile = type ? type->reportFile : "";
    options.sReportTitle = type ? type->reportTitle : "";
    options.sPrintTypeName = type ? type->typeName : "";
    return type != nullptr;
}

}  // namespace omrix::print
