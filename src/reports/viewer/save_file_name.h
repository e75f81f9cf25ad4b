#pragma once
// The file name a viewer offers when it saves: the document's title with the project
// and its version, so that the next project's save does not take the same name.

#include <string>
#include <string_view>

namespace omrix::reports {

// The project and version a run printed (物件番号, 版番号), as the command line gave them.
struct ProjectKey {
    std::string bukkenNo;
    std::string hanNo;
};

// "<title>_<bukkenNo>-<hanNo>.<extension>", blanks around the numbers dropped; the
// title alone when both numbers are blank, one number without the dash when only it is.
std::string saveFileName(std::string_view title, std::string_view bukkenNo, std::string_view hanNo,
                         std::string_view extension);

}  // namespace omrix::reports
