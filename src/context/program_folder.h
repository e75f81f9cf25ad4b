#pragma once
// Where the running program and the files it ships with are. The build tree keeps
// them beside bin/ (<build>/fonts); an installed program finds them in its package's
// data folder (<prefix>/share/omrix-print beside <prefix>/bin), so it never needs
// to write, or look, beside itself.

#include <string>

namespace omrix::context {

// The folder of the running program, without a trailing separator; empty when unknown.
std::string programFolder();

// The installed data folder as seen from the program folder; empty when that is unknown.
std::string packageDataFolder();

}  // namespace omrix::context
