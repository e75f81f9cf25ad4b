#include "context/app_context.h"

namespace omrix::context {
namespace {
AppContext& instance() {
    static AppContext context;
    return context;
}
}  // namespace

AppContext& appContext() {
    return instance();
}

void resetAppContext() {
    // Connections opened before stay open, so their numbers stay in the table.
    std::shared_ptr<HandleTable> connections = std::move(instance().Connections);
    instance() = AppContext{};
    instance().Connections = std::move(connections);
}

}  // namespace omrix::context
