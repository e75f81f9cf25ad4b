#pragma once
// Formula field texts arrive as the report engine's text literals.

#include <string>
#include <string_view>

namespace omrix::reports {

// The text a formula field shows: a literal in single or double quotes gives what lies
// between them exactly (a name holding quotes is passed unchanged inside the quotes);
// any other text is shown as it stands, without the blanks around it.
std::string unquoteFormulaText(std::string_view text);

}  // namespace omrix::reports
