#include "context/program_folder.h"

#include <filesystem>
#include <system_error>

namespace omrix::context {

std::string programFolder() {
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !program.has_parent_path()) return {};
    return program.parent_path().string();
}

std::string packageDataFolder() {
    std::string folder = programFolder();
    if (folder.empty()) return {};
    return (std::filesystem::path(folder) / OMRIX_DATA_FROM_BIN).lexically_normal().string();
}

}  // namespace omrix::context
