#pragma once
// The module-wide values that start-up fills and every layer reads. The only
// process-wide state: one object, reached through appContext(), reset by tests.

#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "context/handle_table.h"
#include "records/bukken_hensu_record.h"
#include "records/kankyo_record.h"
#include "records/uchiwake_name_record.h"

namespace omrix::platform {
class MessageSink;
}
namespace omrix::data {
class CCCDBS_DataBase;
}
namespace omrix::breakdown {
class COmrixEditUcw;
}

namespace omrix::context {

// Keys seen before, for any thread: true the first time a key is given.
class ReportedOnce {
  public:
    bool first(const std::string& key) {
        std::lock_guard lock(mutex_);
        return keys_.insert(key).second;
    }

  private:
    std::mutex mutex_;
    std::set<std::string> keys_;
};

struct AppContext {
    // The argument string without the program path, as the suite's programs pass it.
    std::string CommandLine;
    // An INI file named by the program's own options; empty: fnGetIniPath's usual rule.
    std::string IniPath;
    // The program works on a database file named directly (omrix-db --file): no INI
    // file is read or written, not even the one the search order would find.
    bool WithoutIniFile = false;
    // From the command line.
    std::string BukkenNo;
    std::string HanNo;
    std::string BukkenName;
    int32_t TantoshaID = 0;

    // The one connection, from start-up to exit.
    std::shared_ptr<data::CCCDBS_DataBase> Database;

    double TuboKansan = 0.0;
    // The 物件変数 rows of the project, for the quantity formulas.
    std::vector<records::BukkenHensuRec> BukkenHensu;
    // The 内訳名称 row of the project version and its ID.
    records::UchiwakeNameRec UchiwakeName;
    int32_t UchiwakeNameID = 0;
    // The first top-level line of the loaded breakdown; the handle keeps its tree alive.
    std::shared_ptr<breakdown::COmrixEditUcw> UchiwakeRoot;
    // The breakdown editor's mode bits; with bit 4 every line edits as kind 8.
    int32_t EditMode = 0;
    bool BesshiExists = false;
    int16_t Kengen = 0;
    std::string TantoshaName;
    // The first live 環境Ｍ row; its lock tries and wait steer the ID numbering.
    records::KankyoRec Kankyo;

    // Amounts that overflowed in a recalculation, as "内訳ＩＤ <id>の<column>": the
    // export names them and does not end as a clean run.
    std::vector<std::string> AmountOverflows;

    // Trace files already reported as unwritable: one message each, not one per line,
    // whichever thread writes first (the breakdown loads on one of its own).
    std::shared_ptr<ReportedOnce> UnwritableTraces = std::make_shared<ReportedOnce>();

    // Where numbered messages and message boxes go; none means standard error.
    std::shared_ptr<platform::MessageSink> Messages;
    // Name of the active window for the audit column 更新画面ＩＤ; empty without windows.
    std::string (*ScreenIdProvider)() = nullptr;
    // The open database connections, by the number their record sets are given.
    std::shared_ptr<HandleTable> Connections = std::make_shared<HandleTable>();
};

AppContext& appContext();
void resetAppContext();

}  // namespace omrix::context
