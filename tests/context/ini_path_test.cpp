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
        {kUser | kSystem, kUser},
        {kSystem, kSystem},
        {0, 0},
    };
    for (const auto& [present, found] : cases) {
        for (Place place : {kEnvironment, kProgram, kUser, kSystem}) fs::remove(file(place));
        make(present);
        EXPECT_EQ(findIniFile(places), found ? file(static_cast<Place>(found)) : "") << present;
    }
    // The option is taken as given, even when missing.
    make(kEnvironment | kProgram | kUser | kSystem);
    places.chosen = root.file("not-there/OMRIX.INI");
    EXPECT_EQ(findIniFile(places), places.chosen);
}

TEST_F(IniSearch, OnlyFilesCountNotFoldersOrDanglingLinks) {
    fs::create_directory(file(kProgram));  // a folder named OMRIX.INI
    fs::create_symlink(root.file("gone.ini"), file(kUser));
    writeBytes(root.file("real.ini"), "[KALVERON]\n");
    fs::create_symlink(root.file("real.ini"), file(kSystem));
    EXPECT_EQ(findIniFile(places), file(kSystem));
}

TEST_F(IniSearch, EmptyPlacesAreLeftOut) {
    places.environment.clear();
    places.userFolder.clear();
    EXPECT_EQ(iniCandidates(places), (std::vector<std::string>{file(kProgram), file(kSystem)}));
}

TEST(IniPlacesOfProcess, UserFolderFollowsXdgThenHome) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"/srv/config", "/home/a", "/srv/config/omrix"},
        {"", "/home/a", "/home/a/.config/omrix"},
        {"relative/config", "/home/a", "/home/a/.config/omrix"},  // relative: ignored
        {nullptr, nullptr, ""},
    };
    for (const auto& [xdgValue, homeValue, expected] : cases) {
        ScopedEnv xdg("XDG_CONFIG_HOME", xdgValue);
        ScopedEnv home("HOME", homeValue);
        EXPECT_EQ(processIniPlaces().userFolder, expected);
    }
}

TEST(IniPlacesOfProcess, ContextEnvironmentProgramAndSystem) {
    testing::FreshContext fresh;
    ScopedEnv env("OMRIX_INI", "/srv/omrix.ini");
    appContext().IniPath = "/tmp/chosen.ini";
    IniPlaces places = processIniPlaces();
    EXPECT_EQ(places.chosen + " " + places.environment, "/tmp/chosen.ini /srv/omrix.ini");
    EXPECT_EQ(fs::canonical(places.programFolder), fs::canonical(OMRIX_TEST_BIN_DIR));
    EXPECT_EQ(places.systemFolder, "/etc/omrix");
}

// The whole road on this process: the user's file is found and read.
TEST(IniPathOfProcess, UserFileIsFoundAndRead) {
    if (fs::exists(programFolder() + "/OMRIX.INI")) GTEST_SKIP() << "an OMRIX.INI lies beside";
    testing::FreshContext fresh;
    TempFolder config;
    fs::create_directory(config.file("omrix"));
    std::string user = config.file("omrix/OMRIX.INI");
    writeBytes(user, "[KALVERON]\r\nTANTOSHA= 担当 \r\n");
    ScopedEnv xdg("XDG_CONFIG_HOME", config.path().c_str());
    ScopedEnv missing("OMRIX_INI", config.file("missing.ini").c_str());

    EXPECT_EQ(fnGetIniPath(), user);
    EXPECT_EQ(fnReadIniValue("KALVERON", "TANTOSHA"), "担当");
}

}  // namespace
}  // namespace omrix::context
