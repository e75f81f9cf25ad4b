#include "breakdown/tree/program_values.h"

#include <string>

#include "context/app_context.h"

namespace omrix::breakdown {

int32_t programEditMode() {
    return context::appContext().EditMode;
}

int32_t programUchiwakeNameId() {
    return context::appContext().UchiwakeName.内訳名称ＩＤ;
}

void noteAmountOverflow(int32_t uchiwakeId, std::string_view column) {
    context::appContext().AmountOverflows.push_back("内訳ＩＤ " + std::to_string(uchiwakeId) + "の" +
                                                    std::string(column));
}

}  // namespace omrix::breakdown
