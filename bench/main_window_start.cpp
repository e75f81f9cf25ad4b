#include "main_window_start.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <memory>

#include "app/breakdown_load.h"
#include "app/startup_sequence.h"
#include "bench_clock.h"
#include "context/app_context.h"
#include "platform/messages.h"
#include "print_window/main_print_window.h"

namespace omrix::bench {
namespace {

constexpr int kRuns = 3;
constexpr int kIdleStep = 10;  // milliseconds

bool startOnce(const std::filesystem::path& folder, bool background, WindowStart& times) {
    context::resetAppContext();
    auto& context = context::appContext();
    context.Messages = std::make_shared<platform::StderrSink>();
    context.IniPath = (folder / "OMRIX.INI").string();
    context.CommandLine = "-B:00000001 -H:01";
    const auto start = Clock::now();
    const double cpu = cpuSeconds();

    std::unique_ptr<app::BreakdownLoad> pending;
    if (app::runStartup(background ? &pending : nullptr) != app::StartupEnd::Started) return false;
    auto window = std::make_unique<print_window::Frm_Omrix_Print_Main>(nullptr, std::move(pending));
    window->show();
    QApplication::processEvents();
    times.shown = secondsSince(start);

    // A key posted to the focused level tree, handled once the event loop is free.
    QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
    QApplication::postEvent(focus, new QKeyEvent(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier));
    QApplication::processEvents();
    times.answering = secondsSince(start);
    times.cpuAnswering = cpuSeconds() - cpu;

    // The window's own event loop, idle between its events, until the whole is in.
    while (window->breakdownPending()) {
        QEventLoop idle;
        QTimer::singleShot(kIdleStep, &idle, &QEventLoop::quit);
        idle.exec();
    }
    times.whole = secondsSince(start);
    times.cpuWhole = cpuSeconds() - cpu;
    const bool whole = context.UchiwakeRoot != nullptr && !window->startupStopped();
    window.reset();
    return whole;
}

}  // namespace

bool measureWindowStart(const std::string& program, const std::filesystem::path& folder,
                        bool background, WindowStart& best) {
    const std::string command = "'" + program + "' window-start '" + folder.string() + "' " +
                                (background ? "outline" : "whole");
    for (int run = 0; run < kRuns; ++run) {
        std::FILE* child = popen(command.c_str(), "r");
        if (child == nullptr) return false;
        WindowStart t;
        const int read = std::fscanf(child, "%lf %lf %lf %lf %lf", &t.shown, &t.answering, &t.whole,
                                     &t.cpuAnswering, &t.cpuWhole);
        if (pclose(child) != 0 || read != 5) return false;
        if (run == 0 || t.answering < best.answering) best = t;
    }
    return true;
}

int runWindowStart(const std::filesystem::path& folder, bool background) {
    WindowStart t;
    if (!startOnce(folder, background, t)) return 1;
    std::printf("%f %f %f %f %f\n", t.shown, t.answering, t.whole, t.cpuAnswering, t.cpuWhole);
    return 0;
}

}  // namespace omrix::bench
