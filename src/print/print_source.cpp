#include "print/print_source.h"

#include "breakdown/tree/edit_ucw.h"
#include "breakdown/tree/uchiwake_loader.h"
#include "context/app_context.h"

namespace omrix::print {

PrintSource printSourceFromContext() {
    const auto& context = context::appContext();
    return {.db = context.Database.get(),
            .root = context.UchiwakeRoot.get(),
            .uchiwakeNameId = context.UchiwakeNameID};
}

PrintRunInputs printRunInputsFromContext() {
    const auto& context = context::appContext();
    return {.source = printSourceFromContext(),
            .bukkenNo = context.BukkenNo,
            .hanNo = context.HanNo,
            .kengen = context.Kengen};
}

bool rereadBreakdownIntoContext() {
    auto& context = context::appContext();
    context.UchiwakeRoot = breakdown::fnLoadUchiwake();
    if (!context.UchiwakeRoot) return false;
    context.UchiwakeRoot->sbMoneyReCalc(context.BukkenHensu);
    return true;
}

}  // namespace omrix::print
