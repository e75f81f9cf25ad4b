#include "context/ini_path.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "context/app_context.h"
#include "context/fresh_context.h"
#include "context/ini_file.h"
#include "context/scoped_env.h"
#include "context/temp_folder.h"

namespace omrix::context {
namespace {

namespace fs = std::filesystem;
using testing::ScopedEnv;
using testing::TempFolder;
using testing::writeBytes;

// Which places hold a file, one bit each.
enum Place : unsigned { kEnvironment = 1, kProgram = 2, kUser = 4, kSystem = 8 };

class IniSearch : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"program", "user", "system"})
            fs::create_directory(root.file(name));
        places = {.chosen = "",
                  .environment = root.file("env.ini"),
                  .programFolder = root.file("program"),
                  .userFolder = root.file("user"),
                  .systemFolder = root.file("system")};
    }
    std::string file(Place place) const {
        if (place == kEnvironment) return places.environment;
        return (place == kProgram ? places.programFolder
                : place == kUser  ? places.userFolder
                                  : places.systemFolder) +
               "/OMRIX.INI";
    }
    void make(unsigned present) const {
        for (Place place : {kEnvironment, kProgram, kUser, kSystem}) {
            if (present & place) writeBytes(file(place), "[DATABASE]\n");
        }
    }

    TempFolder root;
    IniPlaces places;
};

TEST_F(IniSearch, FirstFileThatExistsWins) {
    const std::pair<unsigned, unsigned> cases[] = {
        // present, found (0: none)
        {kEnvironment | kSystem, kEnvironment},
        {kProgram | kUser | kSystem, kProgram},
        {kSystem, kSystem},
        {0, 0},
    };
    for (const auto& [present, found] : cases) {
        for (Place place : {kEnvironment, kProgram, kUser, kSystem}) fs::remove(file(place));
        make(present);
        EXPECT_EQ(findIniFile(places), found ? file(static_cast<Place>(found)) : "") << present;
    }
    // Only files count, not folders or dangling links; empty places are left out.
    for (Place place : {kEnvironment, kProgram, kUser, kSystem}) fs::remove(file(place));
    fs::create_directory(file(kProgram));
    fs::create_symlink(root.file("gone.ini"), file(kUser));
    fs::create_symlink(root.file("env.ini"), file(kSystem));
    make(kEnvironment);
    places.environment.clear();
    EXPECT_EQ(findIniFile(places), file(kSystem));
    EXPECT_EQ(iniCandidates(places).size(), 3u);
    // The option is taken as given, even when missing.
    places.chosen = root.file("not-there/OMRIX.INI");
    EXPECT_EQ(findIniFile(places), places.chosen);
}

TEST(IniPlacesOfProcess, UserFolderFollowsXdgThenHomeAndItsFileIsRead) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"/srv/config", "/home/a", "/srv/config/omrix"},
        {"relative/config", "/home/a", "/home/a/.config/omrix"},  // relative: ignored
        {nullptr, nullptr, ""},
    };
    for (const auto& [xdgValue, homeValue, expected] : cases) {
        ScopedEnv xdg("XDG_CONFIG_HOME", xdgValue);
        ScopedEnv home("HOME", homeValue);
        EXPECT_EQ(processIniPlaces().userFolder, expected);
    }
    // The whole road on this process: the places, and the user's file found and read.
    if (fs::exists(programFolder() + "/OMRIX.INI")) GTEST_SKIP() << "an OMRIX.INI lies beside";
    testing::FreshContext fresh;
    TempFolder config;
    fs::create_directory(config.file("omrix"));
    std::string user = config.file("omrix/OMRIX.INI");
    writeBytes(user, "[KALVERON]\r\nTANTOSHA= 担当 \r\n");
    ScopedEnv xdg("XDG_CONFIG_HOME", config.path().c_str());
    ScopedEnv missing("OMRIX_INI", config.file("missing.ini").c_str());
    IniPlaces places = processIniPlaces();
    EXPECT_EQ(places.environment, config.file("missing.ini"));
    EXPECT_EQ(fs::canonical(places.programFolder), fs::canonical(OMRIX_TEST_BIN_DIR));
    EXPECT_EQ(fnGetIniPath(), user);
    EXPECT_EQ(fnReadIniValue("KALVERON", "TANTOSHA"), "担当");
    appContext().IniPath = "/tmp/chosen.ini";
    EXPECT_EQ(processIniPlaces().chosen, "/tmp/chosen.ini");
}
}  // namespace
}  // namespace omrix::context
