#pragma once
// Formula field texts arrive as the report engine's text literals.

#include <string>
#include <string_view>

namespace omrix::reports {

// The text a formula field shows: a literal in single quotes ('' inside is one quote)
// or double quotes ("" inside is one quote) gives its contents; any other text is
// shown as it stands, without the blanks around it.
std::string unquoteFormulaText(std::string_view text);

}  // namespace omrix::reports
