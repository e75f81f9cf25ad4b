#pragma once
// Runs a command line through the shell and keeps what it printed and how it ended;
// PDFs read back through poppler's tools.

#include <sys/mount.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "context/temp_folder.h"

namespace omrix::testing {

inline std::string shellQuoted(const std::string& text) {
    return "'" + text + "'";
}

// Standard output of the command; `status` its exit status, -1 when it did not exit.
inline std::string capture(const std::string& command, int& status) {
    std::string text;
    status = -1;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return text;
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
    int raw = ::pclose(pipe);
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return text;
}

struct ProgramRun {
    int status = -1;  // the exit status, -1 when it did not exit
    std::string out;  // standard output
    std::string err;  // standard error
};

// Runs a command line with its standard error written to `errFile` and read back.
inline ProgramRun runProgram(const std::string& command, const std::string& errFile) {
    ProgramRun run;
    run.out = capture(command + " 2>" + shellQuoted(errFile), run.status);
    run.err = readBytes(errFile);
    return run;
}

// pdftotext -layout of the whole file (pages split by form feeds), or of page `page`.
inline std::string pdfText(const std::string& path, int page = 0) {
    int status = -1;
    std::string range =
        page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
    return capture("pdftotext -layout" + range + " " + shellQuoted(path) + " - 2>/dev/null",
                   status);
}

// The page count pdfinfo gives; -1 when it gives none.
inline int pdfPages(const std::string& path) {
    int status = -1;
    std::string info = capture("pdfinfo " + shellQuoted(path) + " 2>/dev/null", status);
    size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

// A tmpfs of `size` mounted at `path` for the object's life, where the test may mount
// one (as root); else mounted() is false.
class SmallDisk {
  public:
    SmallDisk(const std::string& path, const std::string& size) : path_(path) {
        std::filesystem::create_directories(path);
        int status = -1;
        capture("mount -t tmpfs -o size=" + size + " tmpfs " + shellQuoted(path) + " 2>/dev/null",
                status);
        mounted_ = status == 0;
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool mounted() const { return mounted_; }

  private:
    std::string path_;
    bool mounted_ = false;
};

}  // namespace omrix::testing
