#pragma once
// Where OMRIX.INI is: the file a program names (--ini) as given, else the first that
// exists of $OMRIX_INI, OMRIX.INI beside the program (the build tree),
// $XDG_CONFIG_HOME/omrix/OMRIX.INI (~/.config/omrix/OMRIX.INI) and
// /etc/omrix/OMRIX.INI. The file found is also the one written back to.

#include <string>
#include <vector>

#include "context/program_folder.h"

namespace omrix::context {

inline constexpr char kIniFileName[] = "OMRIX.INI";
// The order in words, for the programs' --ini help.
inline constexpr char kIniSearchHelp[] =
    "INI file; default the first that exists of $OMRIX_INI, OMRIX.INI beside the program, "
    "$XDG_CONFIG_HOME/omrix/OMRIX.INI, /etc/omrix/OMRIX.INI";

// The places looked at; an empty one is left out.
struct IniPlaces {
    std::string chosen;         // named by the program's own option: used even when missing
    std::string environment;    // a file
    std::string programFolder;  // folders from here on
    std::string userFolder;
    std::string systemFolder;
};

// The places of this process: the context's IniPath, $OMRIX_INI, the program's folder,
// $XDG_CONFIG_HOME (else $HOME/.config) and /etc.
IniPlaces processIniPlaces();

// The files looked at after `chosen`, in order.
std::vector<std::string> iniCandidates(const IniPlaces& places);

// `chosen` when given, else the first candidate that is a file; empty when none is.
std::string findIniFile(const IniPlaces& places);

// Why nothing was found, for a message: "no OMRIX.INI: none of A, B, C is a file".
std::string describeIniSearch(const IniPlaces& places);

// findIniFile(processIniPlaces()).
std::string fnGetIniPath();

}  // namespace omrix::context
