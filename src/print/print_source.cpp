#include "print/print_source.h"

#include "breakdown/tree/edit_ucw.h"
#include "breakdown/tree/uchiwake_loader.h"
#include "context/app_context.h"
#include "print/print_progress.h"

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

bool rereadBreakdownIntoContext(PrintProgress* progress) {
    auto& context = context::appContext();
    context.UchiwakeRoot = breakdown::fnLoadUchiwake(progress != nullptr ? &progress->bar() : nullptr);
    if (!context.UchiwakeRoot) return false;
    context.UchiwakeRoot->sbMoneyReCalc(context.BukkenHensu);
    return true;
}

}  // namespace omrix::print
