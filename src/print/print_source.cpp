#include "print/print_source.h"

#include "context/app_context.h"

namespace omrix::print {

PrintSource printSourceFromContext() {
    const auto& context = context::appContext();
    return {.db = context.Database.get(),
            .root = context.UchiwakeRoot.get(),
            .uchiwakeNameId = context.UchiwakeNameID};
}

}  // namespace omrix::print
