#pragma once
// The words a failed write is reported in: a full disk or a file-size limit says so
// plainly instead of through a library's own wording.

#include <string>

namespace omrix::platform {

// "no space left on the device", "the file is larger than the system allows", …;
// any other error number: the C library's text.
std::string writeErrorText(int errnum);

// Whether the error number is one of the disk's own (full, quota, size limit,
// read-only, I/O), which a library's message would only hide.
bool isDiskError(int errnum);

}  // namespace omrix::platform
