#pragma once
// One press of Cmd_Print: the viewers of the last run closed, the choices collected,
// the breakdown optionally read again, then up to four outputs in a fixed order
// (内訳書, 見積要項, 工事概要, 代価表). The first output that fails ends the run; the
// viewers opened before it stay.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "print/print_options.h"
#include "print/print_source.h"
#include "print/print_ui.h"

namespace omrix::level_tree {
class LevelTreeModel;
}

namespace omrix::print {

// The four report launches, with the report objects behind them (the main window's).
class ReportLaunches {
  public:
    virtual ~ReportLaunches() = default;
    // fnShowUchiwakeReport with the breakdown report chosen for the run.
    virtual bool showUchiwake(const PrintOptionRec& options, int32_t uchiwakeNameId) = 0;
    virtual bool showYoukou(std::string_view bukkenNo, std::string_view hanNo,
                            std::string_view companyText) = 0;
    virtual bool showGaiyou(std::string_view bukkenNo) = 0;
    virtual bool showDaika(int32_t uchiwakeNameId) = 0;
    // fnGetPrintOption's other half: the breakdown report follows a recognised print
    // type; with any other name it stays as it was.
    virtual void chooseStatement(const PrintOptionRec& options) = 0;
};

enum class PrintRunEnd {
    Completed,  // every checked output was produced (the statement may have been skipped)
    Choices,    // the window's choices could not be read
    Reread,     // the breakdown could not be read again
    Uchiwake,   // one of the outputs failed, after reporting why
    Youkou,
    Gaiyou,
    Daika,
};

struct PrintRunResult {
    PrintRunEnd end = PrintRunEnd::Completed;
    // Outputs whose viewer was opened, in order.
    std::vector<ViewerKind> produced;
    // Statement checked but nothing ticked: the box was shown and it was left out.
    bool uchiwakeSkipped = false;
};

// Cmd_Print_Click as core code. The re-read replaces AppContext.UchiwakeRoot.
PrintRunResult fnRunPrint(PrintUi& ui, ReportLaunches& launches,
                          const level_tree::LevelTreeModel& tree);

// The breakdown statement step: rows generated, written to 内訳出力, report launched.
bool printUchiwake(const PrintSource& source, const PrintOptionRec& options, PrintUi& ui,
                   ReportLaunches& launches, const level_tree::LevelTreeModel& tree);
// The same on printSourceFromContext().
bool fnPrintUchiwake(const PrintOptionRec& options, PrintUi& ui, ReportLaunches& launches,
                     const level_tree::LevelTreeModel& tree);

}  // namespace omrix::print
