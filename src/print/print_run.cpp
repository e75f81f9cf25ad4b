#include "print/print_run.h"

#include "level_tree/level_tree_model.h"
#include "platform/messages.h"
#include "print/print_rows_generator.h"
#include "print/print_rows_write.h"

namespace omrix::print {
namespace {

using platform::showMessageBox;

constexpr int16_t kMayKeepPageNames = 1;  // 権限 bit: page names are not offered for change

// Resets the hourglass on every way out.
class BusyScope {
  public:
    explicit BusyScope(PrintUi& ui) : ui_(ui) { ui_.setBusy(true); }
    ~BusyScope() { ui_.setBusy(false); }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    PrintUi& ui_;
};

void offerPageNames(const PrintOptionRec& options, int16_t kengen, PrintUi& ui) {
    if (options.nPageType != kPageTypeNames) return;
    if ((kengen & kMayKeepPageNames) != 0) return;
    int16_t answer = showMessageBox("頁名称の設定を変更しますか？",
                                    platform::kStyleYesNo | platform::kStyleQuestion, "確認");
    if (answer == platform::kAnswerYes) ui.showPageNameWindow();
}

// The statement's part of the run; false ends the run.
bool runStatement(const PrintRunInputs& inputs, const PrintOptionRec& options, PrintUi& ui,
                  ReportLaunches& launches, const level_tree::LevelTreeModel& tree,
                  PrintRunResult& result) {
    if (!tree.fnCheckKaisoUchiwakeChecked()) {
        showMessageBox("出力する内訳が選択されていません。", platform::kStyleExclamation,
                       "未選択画面");
        ui.focusLevelTree();
        result.uchiwakeSkipped = true;
        return true;
    }
    offerPageNames(options, inputs.kengen, ui);
    if (!printUchiwake(inputs.source, options, ui, launches, tree)) return false;
    result.produced.push_back(ViewerKind::Uchiwakesho);
    return true;
}

bool runOutput(bool checked, ViewerKind viewer, bool launched, PrintRunResult& result) {
    if (!checked) return true;
    if (!launched) return false;
    result.produced.push_back(viewer);
    return true;
}

void runOutputs(const PrintRunInputs& inputs, const PrintRunChoices& choices, PrintUi& ui,
                ReportLaunches& launches, const level_tree::LevelTreeModel& tree,
                PrintRunResult& result) {
    if (choices.uchiwake && !runStatement(inputs, choices.options, ui, launches, tree, result)) {
        result.end = PrintRunEnd::Uchiwake;
    } else if (!runOutput(choices.youkou, ViewerKind::Youkou,
                          choices.youkou && launches.showYoukou(inputs.bukkenNo, inputs.hanNo,
                                                                choices.companyText),
                          result)) {
        result.end = PrintRunEnd::Youkou;
    } else if (!runOutput(choices.gaiyou, ViewerKind::Gaiyou,
                          choices.gaiyou && launches.showGaiyou(inputs.bukkenNo), result)) {
        result.end = PrintRunEnd::Gaiyou;
    } else if (!runOutput(choices.daika, ViewerKind::Daika,
                          choices.daika && launches.showDaika(inputs.source.uchiwakeNameId),
                          result)) {
        result.end = PrintRunEnd::Daika;
    }
}

}  // namespace

bool printUchiwake(const PrintSource& source, const PrintOptionRec& options, PrintUi& ui,
                   ReportLaunches& launches, const level_tree::LevelTreeModel& tree) {
    // A failed re-read of an earlier run leaves no breakdown to print.
    if (source.root == nullptr || source.db == nullptr) return false;
    // The earlier rows are deleted while the new ones are made.
    PrintRowsWriter writer(*source.db, source.uchiwakeNameId);
    PrintRows rows;
    if (!createPrintRows(source, options, rows, tree, ui.writeProgress())) return false;
    if (!writer.finish(rows, ui.writeProgress())) return false;
    return launches.showUchiwake(options, source.uchiwakeNameId);
}

bool fnPrintUchiwake(const PrintOptionRec& options, PrintUi& ui, ReportLaunches& launches,
                     const level_tree::LevelTreeModel& tree) {
    return printUchiwake(printSourceFromContext(), options, ui, launches, tree);
}

PrintRunResult fnRunPrint(PrintUi& ui, ReportLaunches& launches,
                          const level_tree::LevelTreeModel& tree) {
    BusyScope busy(ui);
    PrintRunResult result;
    ui.closeViewers();

    PrintRunChoices choices;
    if (!ui.collectChoices(choices)) {
        result.end = PrintRunEnd::Choices;
        return result;
    }
    launches.chooseStatement(choices.options);
    if (choices.reread && !rereadBreakdownIntoContext(ui.writeProgress())) {
        result.end = PrintRunEnd::Reread;
        return result;
    }

    runOutputs(printRunInputsFromContext(), choices, ui, launches, tree, result);
    return result;
}

}  // namespace omrix::print
