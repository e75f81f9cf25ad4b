#include "print/print_source.h"

#include "breakdown/tables/progress_bar.h"
#include "breakdown/tree/edit_ucw.h"
#include "breakdown/tree/uchiwake_loader.h"
#include "context/app_context.h"
#include "util/progress.h"

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

bool rereadBreakdownIntoContext(util::Progress* progress) {
    auto& context = context::appContext();
    breakdown::ProgressBar bar(progress);  // Prg_PrgBar
    context.UchiwakeRoot = breakdown::fnLoadUchiwake(progress != nullptr ? &bar : nullptr);
    if (!context.UchiwakeRoot) return false;
    context.UchiwakeRoot->sbMoneyReCalc(context.BukkenHensu);
    return true;
}

}  // namespace omrix::print
