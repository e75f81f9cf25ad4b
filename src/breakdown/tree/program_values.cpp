#include "breakdown/tree/program_values.h"

#include "context/app_context.h"

namespace omrix::breakdown {

int32_t programEditMode() {
    return context::appContext().EditMode;
}

int32_t programUchiwakeNameId() {
    return context::appContext().UchiwakeName.内訳名称ＩＤ;
}

}  // namespace omrix::breakdown
