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
    instance() = AppContext{};
}

}  // namespace omrix::context
