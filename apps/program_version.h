#pragma once
// What every program prints for --version: its name and the package version.

#include <string>
#include <string_view>

namespace omrix::apps {

inline std::string versionText(std::string_view program) {
    return std::string(program) + " " + OMRIX_VERSION;
}

// For a program whose command line is the suite's own: --version alone on it.
inline bool askedForVersion(int argc, char** argv) {
    return argc == 2 && std::string_view(argv[1]) == "--version";
}

}  // namespace omrix::apps
