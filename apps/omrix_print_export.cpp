// omrix-print-export: the print run without windows. For now it starts, reads its options
// and its INI file, and says what the run would produce.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "platform/messages.h"
#include "startup/app_context.h"
#include "startup/ini_file.h"

namespace {

namespace fs = std::filesystem;
using omrix::startup::appContext;

struct ExportOptions {
    std::string bukken;
    std::string han;
    int32_t operatorId = 0;
    std::string ini;
    std::string out = ".";
    std::string outputs = "uchiwake";
    std::string layout;
    std::string company;
    bool companyGiven = false;
    std::string levels = "all";
    bool quantitiesOnly = false;
    bool ditto = false;
    std::string pageStart = "1";
    bool pageNames = false;
    std::string sheets;
    bool continuousPages = false;
    bool reread = false;
    bool noRender = false;
};

struct Output {
    const char* name;
    const char* title;
};

// In the order the run produces them.
constexpr Output kOutputs[] = {
    {"uchiwake", "内訳書"}, {"youkou", "見積要項"}, {"gaiyou", "工事概要"}, {"daika", "代価表"}};

std::string trimmed(std::string text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> splitList(const std::string& list) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        size_t comma = list.find(',', start);
        parts.push_back(trimmed(list.substr(start, comma - start)));
        if (comma == std::string::npos) return parts;
        start = comma + 1;
    }
}

bool isKnownOutput(const std::string& name) {
    for (const Output& output : kOutputs) {
        if (name == output.name) return true;
    }
    return false;
}

std::string checkOutputs(const std::string& list) {
    for (const std::string& name : splitList(list)) {
        if (!isKnownOutput(name)) return "unknown output '" + name + "'";
    }
    return {};
}

std::string checkLevels(const std::string& spec) {
    if (spec == "all" || spec == "none") return {};
    for (const std::string& id : splitList(spec)) {
        size_t used = 0;
        long long value = -1;
        try {
            value = std::stoll(id, &used);
        } catch (const std::exception&) {
            used = 0;
        }
        if (id.empty() || used != id.size() || value <= 0 || value > INT32_MAX) {
            return "'" + id + "' is not a 内訳ID (use all, none or a comma list of IDs)";
        }
    }
    return {};
}

void declareOptions(CLI::App& app, ExportOptions& o) {
    app.add_option("--bukken", o.bukken, "project number (物件No)")->required();
    app.add_option("--han", o.han, "version number (版No)")->required();
    app.add_option("--operator", o.operatorId, "operator ID (自社担当者ＭＩＤ)");
    app.add_option("--ini", o.ini, "INI file; default OMRIX.INI beside the program, or $OMRIX_INI");
    app.add_option("--out", o.out, "where documents go (created when missing)");
    app.add_option("--outputs", o.outputs, "comma list of uchiwake, youkou, gaiyou, daika")
        ->check(checkOutputs);
    app.add_option("--layout", o.layout, "print type name as listed in 内訳書出力形式Ｍ");
    app.add_option("--company", o.company, "company name; default the INI's PRINTCOMAPNYNAME");
    app.add_option("--levels", o.levels, "all | none | comma list of 内訳ID to tick")
        ->check(checkLevels);
    app.add_flag("--quantities-only", o.quantitiesOnly, "数量のみ印刷する");
    app.add_flag("--ditto", o.ditto, "重複文字を省略する");
    app.add_option("--page-start", o.pageStart, "頁カウント text (blank gives 0)");
    app.add_flag("--page-names", o.pageNames, "頁名称使用 (default: 数字のみ)");
    app.add_option("--sheets", o.sheets, "別紙印刷: all (別紙と本書) or only (別紙のみ)")
        ->check(CLI::IsMember({"all", "only"}));
    app.add_flag("--continuous-pages", o.continuousPages, "頁は本書と通番にする");
    app.add_flag("--reread", o.reread, "印刷時に最新の情報を取得する");
    app.add_flag("--no-render", o.noRender, "write 内訳出力 but render no document");
}

// With the embedded database DB_NAME is a file beside the INI file.
std::string describeDatabase(const std::string& iniPath) {
    using omrix::startup::fnReadDatabaseIniValue;
    std::string server = fnReadDatabaseIniValue("DATABASE", "SERVER_NAME", iniPath);
    std::string name = fnReadDatabaseIniValue("DATABASE", "DB_NAME", iniPath);
    std::string upper = trimmed(server);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (upper == "SQLITE") {
        fs::path file = fs::path(iniPath).parent_path() / trimmed(name);
        return "embedded SQLite, file " + file.lexically_normal().string();
    }
    return "server '" + server + "', database '" + name + "' (ODBC)";
}

void describeRun(const ExportOptions& o, const std::string& iniPath) {
    using omrix::startup::fnReadIniValue;
    const auto& context = appContext();
    std::string company =
        o.companyGiven ? o.company : fnReadIniValue("KALVERON", "PRINTCOMAPNYNAME");
    std::printf("project %s version %s, operator %d\n", context.BukkenNo.c_str(),
                context.HanNo.c_str(), context.TantoshaID);
    std::printf("INI file: %s\n", iniPath.c_str());
    std::printf("database: %s\n", describeDatabase(iniPath).c_str());
    std::printf("operator name (TANTOSHA): %s\n", context.TantoshaName.c_str());
    std::printf("company (PRINTCOMAPNYNAME): %s\n", trimmed(company).c_str());
    std::printf("layout: %s\n",
                o.layout.empty() ? "the first entry of 内訳書出力形式Ｍ" : o.layout.c_str());
    std::printf("levels: %s; page start \"%s\"%s%s%s%s%s%s%s\n", o.levels.c_str(),
                o.pageStart.c_str(), o.quantitiesOnly ? "; quantities only" : "",
                o.ditto ? "; ditto" : "", o.pageNames ? "; page names" : "",
                o.sheets.empty() ? "" : (o.sheets == "only" ? "; 別紙のみ" : "; 別紙と本書"),
                o.continuousPages ? "; continuous pages" : "", o.reread ? "; reread" : "",
                o.noRender ? "; no documents" : "");
    std::vector<std::string> wanted = splitList(o.outputs);
    for (const Output& output : kOutputs) {
        if (std::find(wanted.begin(), wanted.end(), output.name) == wanted.end()) continue;
        if (o.noRender) {
            std::printf("output %s: not rendered (--no-render)\n", output.title);
        } else {
            fs::path file = fs::path(o.out) / (std::string(output.name) + ".pdf");
            std::printf("output %s: %s\n", output.title, file.string().c_str());
        }
    }
}

int run(const ExportOptions& o) {
    auto& context = appContext();
    context.Messages = std::make_shared<omrix::platform::StderrSink>();
    context.BukkenNo = o.bukken;
    context.HanNo = o.han;
    context.TantoshaID = o.operatorId;
    if (!o.ini.empty()) context.IniPath = fs::absolute(o.ini).lexically_normal().string();

    std::string iniPath = omrix::startup::fnGetIniPath();
    if (trimmed(iniPath).empty()) {
        omrix::platform::fnPIMORA01_DispMessage(3005, omrix::platform::kStyleOk,
                                                "Iniファイルパスの取得",
                                                "アプリケーションを起動できません。");
        return 1;
    }
    std::error_code error;
    if (!fs::is_regular_file(iniPath, error)) {
        std::fprintf(stderr, "INI file %s not found: every key reads as its default\n",
                     iniPath.c_str());
    }
    context.TantoshaName = trimmed(omrix::startup::fnReadIniValue("KALVERON", "TANTOSHA"));

    if (!o.noRender && !fs::is_directory(o.out, error)) {
        fs::create_directories(o.out, error);
        if (error) {
            std::fprintf(stderr, "cannot create the output folder %s: %s\n", o.out.c_str(),
                         error.message().c_str());
            return 1;
        }
    }
    describeRun(o, iniPath);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Exports the documents of one estimate version without windows"};
    ExportOptions options;
    declareOptions(app, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? 0 : 2;
    }
    options.companyGiven = app.count("--company") > 0;
    return run(options);
}
