#include "project/tables/project_read.h"

#include "data/tables/record_conventions.h"
#include "util/text.h"

namespace omrix::project {

std::string codeCondition(std::string_view column, std::string_view value) {
    std::string out = "(LTrim(RTrim(";
    out += column;
    out += ")) = '" + data::fnSqlQuote(util::trimBlanks(value), 0) + "') ";
    return out;
}

std::string idCondition(std::string_view column, int32_t id) {
    std::string out = "(";
    out += column;
    out += " = " + std::to_string(id) + ") ";
    return out;
}

}  // namespace omrix::project
