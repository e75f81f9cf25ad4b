// omrix-print: the desktop program, started by the suite's main program with its command
// line (-B: project, -H: version, -Q: name, -T: operator, -W: caller). Start-up under the
// hourglass, then the main print window; the process ends when the window closes.
#include <QApplication>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/breakdown_load.h"
#include "app/startup_sequence.h"
#include "context/app_context.h"
#include "context/command_line.h"
#include "data/core/database.h"
#include "platform/messages.h"
#include "print_window/main_print_window.h"
#include "print_window/message_box_window.h"
#include "print_window/qt_language_window.h"
#include "print_window/system_close_window.h"
#include "program_version.h"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitStopped = 1;

// Without a display to see them on, every message shown also goes to standard error,
// one line each, so that a start-up failure in a script is never silent.
class EchoingSink : public omrix::platform::MessageSink {
  public:
    int16_t show(const omrix::platform::ShownMessage& message) override {
        echo_.show(message);
        return boxes_.show(message);
    }

  private:
    omrix::platform::StderrSink echo_;
    omrix::print_window::MessageBoxSink boxes_;
};

bool withoutDisplay() {
    const QString platform = QGuiApplication::platformName();
    return platform == "offscreen" || platform == "minimal" ||
           (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr);
}

// 更新画面ＩＤ: the active window's name (windows carry their names as object names).
std::string activeWindowName() {
    const QWidget* window = QApplication::activeWindow();
    return window != nullptr && !window->objectName().isEmpty() ? window->objectName().toStdString()
                                                                : std::string("omrix-print");
}

// The window is shown as soon as the level tree can be built; the rest of the
// breakdown loads meanwhile (`pending`).
bool startUp(std::unique_ptr<omrix::app::BreakdownLoad>& pending) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool started = omrix::app::runStartup(&pending) == omrix::app::StartupEnd::Started;
    QApplication::restoreOverrideCursor();
    return started;
}

}  // namespace

int main(int argc, char** argv) {
    if (omrix::apps::askedForVersion(argc, argv)) {
        std::printf("%s\n", omrix::apps::versionText("omrix-print").c_str());
        return kExitDone;
    }
    QApplication application(argc, argv);
    omrix::print_window::installQtJapanese(&application);
    auto& context = omrix::context::appContext();
    context.CommandLine = omrix::context::joinArguments(argc, argv);
    if (withoutDisplay()) {
        context.Messages = std::make_shared<EchoingSink>();
    } else {
        context.Messages = std::make_shared<omrix::print_window::MessageBoxSink>();
    }
    context.ScreenIdProvider = activeWindowName;
    std::unique_ptr<omrix::app::BreakdownLoad> pending;
    if (!startUp(pending)) return kExitStopped;

    auto window =
        std::make_unique<omrix::print_window::Frm_Omrix_Print_Main>(nullptr, std::move(pending));
    // SIGTERM and the session's end close as 終了 does, without starting the suite's
    // main program again.
    auto systemClose = std::make_unique<omrix::print_window::SystemCloseWatch>(*window);
    window->show();
    const int status = application.exec();
    const bool stopped = window->startupStopped();
    systemClose.reset();
    window.reset();
    if (context.Database) context.Database->fnClose();
    if (stopped) return kExitStopped;
    return status == 0 ? kExitDone : status;
}
