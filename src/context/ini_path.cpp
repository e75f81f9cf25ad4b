#include "context/ini_path.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "context/app_context.h"
#include "context/program_folder.h"

namespace omrix::context {
namespace {

namespace fs = std::filesystem;

constexpr char kConfigFolder[] = "omrix";
constexpr char kSystemFolder[] = "/etc/omrix";

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

// A relative $XDG_CONFIG_HOME is ignored, as the XDG base directories ask.
std::string configHome() {
    std::string xdg = environmentValue("XDG_CONFIG_HOME");
    if (fs::path(xdg).is_absolute()) return xdg;
    std::string home = environmentValue("HOME");
    return home.empty() ? std::string() : home + "/.config";
}

// A link to a file counts; a folder or a dangling link does not.
bool isFile(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

}  // namespace

IniPlaces processIniPlaces() {
    std::string home = configHome();
    return {.chosen = appContext().IniPath,
            .environment = environmentValue("OMRIX_INI"),
            .programFolder = programFolder(),
            .userFolder = home.empty() ? home : home + "/" + kConfigFolder,
            .systemFolder = kSystemFolder};
}

std::vector<std::string> iniCandidates(const IniPlaces& places) {
    std::vector<std::string> files;
    if (!places.environment.empty()) files.push_back(places.environment);
    for (const std::string* folder :
         {&places.programFolder, &places.userFolder, &places.systemFolder}) {
        if (!folder->empty()) files.push_back(*folder + "/" + kIniFileName);
    }
    return files;
}

std::string findIniFile(const IniPlaces& places) {
    if (!places.chosen.empty()) return places.chosen;
    for (const std::string& file : iniCandidates(places)) {
        if (isFile(file)) return file;
    }
    return {};
}

std::string describeIniSearch(const IniPlaces& places) {
    std::string text = "no OMRIX.INI: none of ";
    std::string separator;
    for (const std::string& file : iniCandidates(places)) {
        text += separator + file;
        separator = ", ";
    }
    return text + " is a file";
}

std::string fnGetIniPath() {
    return findIniFile(processIniPlaces());
}

}  // namespace omrix::context
