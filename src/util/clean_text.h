#pragma once
// The one step every stored or typed text takes before a writer (PDF, workbook XML,
// the viewer): a stored text may hold any bytes, and a writer that passes them on
// makes a file its readers refuse.

#include <string>
#include <string_view>

namespace omrix::util {

// U+FFFD, for what cannot be read as UTF-8.
inline constexpr std::string_view kReplacementChar = "\xEF\xBF\xBD";

// Each byte that starts no valid UTF-8 sequence (overlong forms and surrogates
// included) becomes U+FFFD; characters XML cannot hold (the C0 controls but tab,
// line feed and carriage return, U+FFFE, U+FFFF) are dropped, as are DEL and the C1
// controls, which no font draws. Tab, line feed and carriage return stay.
std::string cleanText(std::string_view text);

// cleanText for one printed line: a tab, or a line break (CR, LF or CR LF), becomes
// one blank, so that none reaches the page as a box.
std::string lineText(std::string_view text);

}  // namespace omrix::util
