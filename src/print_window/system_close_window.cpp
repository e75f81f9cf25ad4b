#include "print_window/system_close_window.h"

#include <sys/socket.h>
#include <unistd.h>
#include <QApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <csignal>

#include "print_window/main_print_window.h"

namespace omrix::print_window {
namespace {

// The signal handler may only write; the event loop reads the other end.
int signalPipe[2] = {-1, -1};

void onTerm(int) {
    const char byte = 1;
    [[maybe_unused]] auto written = ::write(signalPipe[0], &byte, 1);
}

}  // namespace

SystemCloseWatch::SystemCloseWatch(Frm_Omrix_Print_Main& window) : window_(window) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) == 0) {
        notifier_ = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, [this] {
            char byte = 0;
            [[maybe_unused]] auto read = ::read(signalPipe[1], &byte, 1);
            closeFor(app::CloseReason::TaskManager);
        });
        struct sigaction action {};
        action.sa_handler = onTerm;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(SIGTERM, &action, nullptr);
    }
    connect(qApp, &QGuiApplication::commitDataRequest, this,
            [this](QSessionManager&) { closeFor(app::CloseReason::SystemShutdown); });
}

SystemCloseWatch::~SystemCloseWatch() {
    if (notifier_ == nullptr) return;
    ::signal(SIGTERM, SIG_DFL);
    delete notifier_;
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void SystemCloseWatch::closeFor(app::CloseReason reason) {
    window_.setCloseReason(reason);
    // Dialogs first (a question open is answered as by Escape), then the main window,
    // whose close waits for a print run still writing.
    QApplication::closeAllWindows();
}

}  // namespace omrix::print_window
