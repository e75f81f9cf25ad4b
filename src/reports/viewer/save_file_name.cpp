#include "reports/viewer/save_file_name.h"

#include "util/text.h"

namespace omrix::reports {

std::string saveFileName(std::string_view title, std::string_view bukkenNo, std::string_view hanNo,
                         std::string_view extension) {
    const std::string_view bukken = util::trimBlanks(bukkenNo);
    const std::string_view han = util::trimBlanks(hanNo);
    std::string name(title);
    if (!bukken.empty() || !han.empty()) name += "_";
    name += bukken;
    if (!bukken.empty() && !han.empty()) name += "-";
    name += han;
    return name + "." + std::string(extension);
}

}  // namespace omrix::reports
