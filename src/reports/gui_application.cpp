#include "reports/gui_application.h"

#include <QGuiApplication>
#include <cstdlib>

namespace omrix::reports {
namespace {

bool hasDisplay() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

}  // namespace

bool hasGuiApplication() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

GuiApplicationScope::GuiApplicationScope() {
    if (QCoreApplication::instance() != nullptr) return;
    // An explicit choice of platform wins; only a missing display forces offscreen.
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if ((platform == nullptr || *platform == '\0') && !hasDisplay())
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

GuiApplicationScope::~GuiApplicationScope() = default;

}  // namespace omrix::reports
