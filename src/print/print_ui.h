#pragma once
// What a print run needs from the user's side: the choices of the main window, the
// level tree's focus, the page-name window, closing the viewers and the progress display. The
// desktop program answers with its windows, omrix-print-export without any. Message
// boxes and questions go through platform::showMessageBox like everywhere else.

#include "print/print_options.h"
#include "util/progress.h"

namespace omrix::print {

// The four documents' viewers, in the order a run opens them.
enum class ViewerKind { Uchiwakesho, Youkou, Gaiyou, Daika };

// What one press of Print asks for: the option record and the boxes around it.
struct PrintRunChoices {
    PrintOptionRec options;
    bool reread = false;      // Chk_ReRead
    bool uchiwake = false;    // Chk_Uchiwake
    bool youkou = false;      // Chk_Mitsumoriyoko
    bool gaiyou = false;      // Chk_KojiGaiyo
    bool daika = false;       // Chk_Daikahyo
    std::string companyText;  // Cmb_KaishaName as typed, untrimmed
};

class PrintUi {
  public:
    virtual ~PrintUi() = default;

    // Unloads the four viewers of the previous run.
    virtual void closeViewers() = 0;
    // fnGetPrintOption and the output boxes. False for a choice that cannot be read
    // (a page count that is no 16-bit number): the run then ends silently.
    virtual bool collectChoices(PrintRunChoices& choices) = 0;
    // Focus to Tv_Kaiso after "nothing selected".
    virtual void focusLevelTree() {}
    // Frm_Omrix_Print_ChangePageName, modal; returns when it is closed.
    virtual void showPageNameWindow() = 0;
    // Prg_PrgBar and Lbl_Prg while the print rows are written; null shows nothing.
    virtual util::Progress* writeProgress() { return nullptr; }
    // The hourglass.
    virtual void setBusy(bool busy) { (void)busy; }
};

}  // namespace omrix::print
