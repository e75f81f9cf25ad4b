#include "reports/engine/gui_application.h"

#include <QGuiApplication>
#include <cstdlib>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace omrix::reports {
namespace {

bool hasDisplay() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

// Batch runs (cron, CI, a root shell) often have no session runtime folder; Qt then
// warns on every start. Give it a private one of our own instead.
void ensureRuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0') return;
    std::string folder = "/tmp/omrix-runtime-" + std::to_string(::getuid());
    ::mkdir(folder.c_str(), 0700);
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
        (info.st_mode & 0777) == 0700) {
        ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    }
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
    ensureRuntimeFolder();
    app_ = std::make_unique<QGuiApplication>(argc_, argv_);
}

GuiApplicationScope::~GuiApplicationScope() = default;

}  // namespace omrix::reports
