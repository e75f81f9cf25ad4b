#include "app/startup_sequence.h"

#include <vector>

#include "app/breakdown_load.h"
#include "breakdown/tables/omrix_dbt_uchiwake_name.h"
#include "breakdown/tree/edit_ucw.h"
#include "breakdown/tree/uchiwake_loader.h"
#include "context/app_context.h"
#include "context/command_line.h"
#include "context/ini_file.h"
#include "data/core/database.h"
#include "data/core/program_database.h"
#include "data/tables/jisha_tantosha_master.h"
#include "data/tables/kankyo_master.h"
#include "platform/messages.h"
#include "project/tables/bukken_hensu.h"
#include "util/numbers.h"
#include "util/text.h"

namespace omrix::app {

using namespace context;

std::string fnGetTantoshaName() {
    return fnReadIniValue("KALVERON", "TANTOSHA");
}

double fnGetTuboKansanRounded(data::CCCDBS_DataBase& db) {
    return util::fnRound(-1, project::fnGetTuboKansan(db), 3);
}

namespace {

using platform::fnPIMORA01_DispMessage;
using platform::kStyleOk;

bool readUchiwakeName(data::CCCDBS_DataBase& db, AppContext& context) {
    std::vector<breakdown::UchiwakeNameRec> recs;
    bool read = breakdown::fnOmrix_DBT_UchiwakeName_SelectByBukken(db, context.BukkenNo,
                                                                   context.HanNo, recs);
    // recs[0] is the unused slot, so one row means a size of 2.
    if (!read || recs.size() != 2) {
        fnPIMORA01_DispMessage(3010, kStyleOk, "内訳名称の取得", "", "");
        return false;
    }
    context.UchiwakeName = recs[1];
    context.UchiwakeNameID = recs[1].内訳名称ＩＤ;
    return true;
}

bool loadBreakdown(data::CCCDBS_DataBase& db, AppContext& context) {
    context.UchiwakeRoot = breakdown::loadUchiwake(db, context.UchiwakeNameID);
    if (context.UchiwakeRoot) return true;
    showBreakdownLoadFailure();
    return false;
}

// The steps after the breakdown and its variables: the whole tree when `load` is
// null, else the outline while the whole loads; a load finished here is let go.
StartupEnd readAfterBreakdown(data::CCCDBS_DataBase& db, AppContext& context,
                              breakdown::COmrixEditUcw& root, std::unique_ptr<BreakdownLoad>* load);

// Start-up from the breakdown on, as it always ran.
StartupEnd readBreakdownWhole(data::CCCDBS_DataBase& db, AppContext& context) {
    if (!loadBreakdown(db, context)) return StartupEnd::Breakdown;
    if (!project::fnOmrix_DBT_BukkenHensu_Select(db, context.BukkenNo, context.BukkenHensu)) {
        return StartupEnd::BukkenHensu;
    }
    return readAfterBreakdown(db, context, *context.UchiwakeRoot, nullptr);
}

// Start-up with the outline read first and the whole loading on a thread of its own.
// Anything that fails before the load is started is left to the whole load as it always
// ran, so the user reads the same messages in the same order.
StartupEnd readBreakdownOutline(data::CCCDBS_DataBase& db, AppContext& context,
                                std::unique_ptr<BreakdownLoad>& load) {
    // Until the whole is in, there is no breakdown to print, not even an earlier one.
    context.UchiwakeRoot.reset();
    std::unique_ptr<data::CCCDBS_DataBase> second;
    std::shared_ptr<breakdown::COmrixEditUcw> outline;
    {
        platform::ThreadMessageCapture unseen;
        second = openLoadConnection(db, fnGetIniPath());
        if (second) outline = breakdown::loadUchiwakeOutline(db, context.UchiwakeNameID);
    }
    if (!outline ||
        !project::fnOmrix_DBT_BukkenHensu_Select(db, context.BukkenNo, context.BukkenHensu)) {
        return readBreakdownWhole(db, context);
    }
    load = std::make_unique<BreakdownLoad>(std::move(second), context.UchiwakeNameID,
                                           context.BukkenHensu, outline);
    StartupEnd end = readAfterBreakdown(db, context, *outline, &load);
    if (end != StartupEnd::Started) load.reset();
    return end;
}

StartupEnd readAfterBreakdown(data::CCCDBS_DataBase& db, AppContext& context,
                              breakdown::COmrixEditUcw& root,
                              std::unique_ptr<BreakdownLoad>* load) {
    bool besshi = false;
    root.sbSearchSyuBetu(breakdown::kFlagBesshiApart, besshi);
    context.BesshiExists = besshi;
    if (load == nullptr) root.sbMoneyReCalc(context.BukkenHensu);

    // A message here would follow a failed breakdown load's: it waits for the load.
    std::vector<platform::ShownMessage> shown;
    bool kankyo = false;
    {
        platform::ThreadMessageCapture shownLater;
        context.Kengen = data::fnGetTantoshaKengen(db, context.TantoshaID);
        context.TantoshaName = fnGetTantoshaName();
        kankyo = data::fnOmrix_DBT_KankyoM_GetFirst(db, context.Kankyo);
        shown = shownLater.take();
    }
    if (load != nullptr && (!kankyo || !shown.empty())) {
        const bool loaded = finishBreakdownLoad(**load);
        load->reset();
        if (!loaded) return StartupEnd::Breakdown;
    }
    platform::showKeptMessages(shown);
    if (!kankyo) {
        fnPIMORA01_DispMessage(3010, kStyleOk, "環境Ｍの取得", "", "");
        return StartupEnd::Kankyo;
    }
    return StartupEnd::Started;
}

// The reads after the connection, each through it.
StartupEnd readProject(data::CCCDBS_DataBase& db, AppContext& context,
                       std::unique_ptr<BreakdownLoad>* load) {
    context.TuboKansan = fnGetTuboKansanRounded(db);
    if (!readUchiwakeName(db, context)) return StartupEnd::UchiwakeName;
    if (load == nullptr) return readBreakdownWhole(db, context);
    return readBreakdownOutline(db, context, *load);
}

}  // namespace

StartupEnd runStartup() {
    return runStartup(nullptr);
}

StartupEnd runStartup(std::unique_ptr<BreakdownLoad>* background) {
    AppContext& context = appContext();
    sbReadCommandLine();

    std::string iniPath = fnGetIniPath();
    if (util::isBlankText(iniPath, util::kBlanksAndTabs)) {
        fnPIMORA01_DispMessage(3005, kStyleOk, "Iniファイルパスの取得",
                               "アプリケーションを起動できません。", "");
        return StartupEnd::IniPath;
    }
    // Refused whole rather than read as empty: the message names what is wrong with it.
    if (util::Status readable = checkIniFile(iniPath); !readable) {
        platform::showMessageBox(
            "設定ファイル（OMRIX.INI）を読めません：" + readable.failure().text(),
            platform::kStyleExclamation);
        return StartupEnd::IniFile;
    }
    if (!data::fnDREVOObj_GetDbObject(iniPath)) {
        fnPIMORA01_DispMessage(3005, kStyleOk, "データベース接続情報",
                               "アプリケーションを起動できません。", "");
        return StartupEnd::Database;
    }

    return readProject(*context.Database, context, background);
}

std::string_view describeStartupEnd(StartupEnd end) {
    switch (end) {
        case StartupEnd::Started:
            return "started";
        case StartupEnd::IniPath:
            return "no INI file path";
        case StartupEnd::IniFile:
            return "the INI file could not be read";
        case StartupEnd::Database:
            return "the database named by the INI file could not be opened";
        case StartupEnd::UchiwakeName:
            return "the project version has not exactly one 内訳名称 row";
        case StartupEnd::Breakdown:
            return "the breakdown could not be loaded";
        case StartupEnd::BukkenHensu:
            return "the 物件変数 rows of the project could not be read";
        case StartupEnd::Kankyo:
            return "環境Ｍ could not be read";
    }
    return "unknown";
}

}  // namespace omrix::app
