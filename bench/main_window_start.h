#pragma once
// The desktop program's start on a demo database, as far as the user sees it: the main
// window shown, the window answering a key, and the whole breakdown in memory.

#include <filesystem>
#include <string>

namespace omrix::bench {

struct WindowStart {
    double shown = 0;                       // wall seconds from start to the window painted
    double answering = 0;                   // to a key on the level tree handled
    double whole = 0;                       // to the whole breakdown loaded and recalculated
    double cpuAnswering = 0, cpuWhole = 0;  // processor seconds of the process to each
};

// The quickest of three starts on the demo in `folder` (OMRIX.INI and demo.sqlite),
// each in a process of its own as the program starts (`program` run with
// "window-start", see below): with the breakdown loaded whole before the window, or
// its outline first and the whole on a thread of its own. False when a start failed.
bool measureWindowStart(const std::string& program, const std::filesystem::path& folder,
                        bool background, WindowStart& best);

// One start in this process, its times printed on standard output for the parent;
// needs a QApplication. The exit status: 0 when the window started.
int runWindowStart(const std::filesystem::path& folder, bool background);

}  // namespace omrix::bench
