#pragma once
// An output written aside and renamed into place: a file under the output's name is
// always a whole one, and one that stood there stays untouched until the new one is
// complete. The part name carries the process ID, so two programs writing the same
// output never rename each other's file.

#include <string>
#include <string_view>

#include "util/failure.h"

namespace omrix::util {

inline constexpr std::string_view kPartSuffix = ".part";

// "<finalPath>.<pid>.part", in the same folder, so that the rename stays on one file
// system.
std::string partPathOf(std::string_view finalPath);

// Whether `name` (a file name without folder) is a part file of `finalName`, written by
// any process: "<finalName>.<digits>.part", or the older "<finalName>.part".
bool isPartFileOf(std::string_view name, std::string_view finalName);

class PartFile {
  public:
    explicit PartFile(std::string finalPath);
    // Removes the part file unless it was committed.
    ~PartFile();
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    // Where the writer writes.
    const std::string& path() const { return part_; }
    const std::string& finalPath() const { return final_; }

    // Flushes the written file to the disk and renames it over the final name; on a
    // failure the part file is removed.
    Status commit();
    // Removes what was written so far (cancel or failure); the final name is untouched.
    void discard();

  private:
    std::string final_;
    std::string part_;
    bool done_ = false;
};

}  // namespace omrix::util
