#pragma once
// Files from outside the program (INI files, SQL scripts) are read whole, but never
// past a limit: a device or a runaway file is refused instead of filling memory.

#include <cstddef>
#include <string>

namespace omrix::util {

// The INI file and other settings files: far larger than any real one.
inline constexpr std::size_t kSettingsFileLimit = std::size_t{1} << 20;
// SQL scripts: a whole demo breakdown as INSERT statements stays well below this.
inline constexpr std::size_t kScriptFileLimit = std::size_t{64} << 20;

enum class FileRead { Ok, Missing, Failed, TooLarge, NotRegular };

// Reads at most `limit` bytes of `path` into `bytes`; TooLarge (and `bytes` empty)
// when there is more. Missing when no such file exists.
FileRead readBoundedFile(const std::string& path, std::size_t limit, std::string& bytes);

// The same for settings files, which are only ever regular files: anything else (a
// named pipe, a device) is NotRegular, checked before a byte is read and opened
// without blocking, so that a pipe in the INI file's place never hangs the program.
FileRead readRegularFile(const std::string& path, std::size_t limit, std::string& bytes);

// "<path> is larger than 1 MiB" and the like, for a result that is not Ok.
std::string describeFileRead(FileRead result, const std::string& path, std::size_t limit);

}  // namespace omrix::util
