#pragma once
// Start-up and exit of the print module, shared by the desktop program and
// omrix-print-export. Start-up fills AppContext from the command line, the INI file
// and the database; the caller then opens its window or runs its export.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace omrix::data {
class CCCDBS_DataBase;
}

namespace omrix::app {

// Where start-up stopped. Every stop but BukkenHensu has shown its numbered message.
enum class StartupEnd {
    Started,
    IniPath,       // 3005 Iniファイルパスの取得
    IniFile,       // the INI file is a folder, unreadable or too large: its own message
    Database,      // 3010 ＤＢオブジェクトの取得, 3005 データベース接続情報
    UchiwakeName,  // 3010 内訳名称の取得: none or several rows
    Breakdown,     // 3010 内訳の取得: the tree could not be built
    BukkenHensu,   // no message: the 物件変数 read failed
    Kankyo,        // 3010 環境Ｍの取得
};

// Reads AppContext.CommandLine (keys B, H, Q, T), opens the database named by the INI
// file and loads the breakdown of the project version with the module-wide values.
// The hourglass and the main window are the desktop program's.
StartupEnd runStartup();

class BreakdownLoad;
// The same, but the level tree's outline of the breakdown is read first and the whole
// loads on a thread of its own: `background` then holds that load, and
// AppContext.UchiwakeRoot stays null until finishBreakdownLoad puts the whole there.
// Where the outline cannot be had, the whole loads here as above and `background`
// stays null. The messages and their order are those of runStartup().
StartupEnd runStartup(std::unique_ptr<BreakdownLoad>* background);

// A short plain reason for a stop, for the command-line programs.
std::string_view describeStartupEnd(StartupEnd end);

// The INI value [KALVERON] TANTOSHA.
std::string fnGetTantoshaName();

// The tsubo factor of 物件変数 rounded to 3 decimals, halves away from zero; 0 without a row.
double fnGetTuboKansanRounded(data::CCCDBS_DataBase& db);

// Why the window closes, as the unload modes tell it.
enum class CloseReason { User, Code, SystemShutdown, TaskManager };

// What became of the hand-off to the suite's main program at exit.
enum class HandOff {
    Skipped,    // the system is closing the program: nothing is started
    NoProgram,  // [KALVERON] MAIN_PROGRAM is empty
    Started,
    Failed,  // the command could not be started; the close goes on silently
};

// The exit steps after the viewers are closed: release the database, write the company
// name to [KALVERON] PRINTCOMAPNYNAME (message 3024 when that fails; the close goes on),
// and hand back to the suite's main program unless the system is closing the program.
HandOff runExitSteps(std::string_view companyName, CloseReason reason);

// Hands control back to the suite's main program: runs the command of [KALVERON]
// MAIN_PROGRAM with the caller's window (key W), which re-shows the caller when it is
// still open and starts it otherwise.
HandOff sbShowMainProgram();

}  // namespace omrix::app
