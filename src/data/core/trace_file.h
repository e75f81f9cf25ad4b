#pragma once
// Where a trace file goes and how it is opened: inside the INI file's folder only,
// never through a link.

#include <string>
#include <string_view>

namespace omrix::data {

// The trace file's path below `folder` for a RECORDSET_LOGFILE value ("\NAME.LOG",
// backslashes as folder separators); a name leading out of the folder gives the
// fallback's path, and empty when that one does too.
std::string traceRelativePath(std::string_view name, std::string_view fallback);

// Opens `relative` below `folder` for appending: every folder of it opened without
// following a link, the file made 0600 or, when it exists, set to 0600; a file with more
// than one link is refused. The descriptor, or -1 with `cause` set.
int openTraceFile(const std::string& folder, const std::string& relative, std::string& cause);

}  // namespace omrix::data
