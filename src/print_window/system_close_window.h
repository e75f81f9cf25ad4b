#pragma once
// The system ending the program: SIGTERM (a task manager, `kill`, systemd) and the end
// of the desktop session close the windows as 終了 does, so the exit steps run (viewers
// and database closed, the company name written back); only the hand-off to the
// suite's main program is skipped, as for any close the system asks for.

#include <QObject>

#include "app/startup_sequence.h"

class QSocketNotifier;

namespace omrix::print_window {

class Frm_Omrix_Print_Main;

class SystemCloseWatch : public QObject {
  public:
    // One at a time: it owns the process's SIGTERM handler until destroyed.
    explicit SystemCloseWatch(Frm_Omrix_Print_Main& window);
    ~SystemCloseWatch() override;

    // Closes every window with the reason the main window's exit steps are told.
    void closeFor(app::CloseReason reason);

  private:
    Frm_Omrix_Print_Main& window_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace omrix::print_window
