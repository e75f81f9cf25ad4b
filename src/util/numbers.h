#pragma once
// Numbers from the texts users type and the texts the layouts print.
//
// Accepted number texts: blanks (half-width or full-width spaces, tabs) around an
// optional sign, digits with an optional decimal point, and an optional exponent
// ("1.5E3", as the suite's own conversions take it). Full-width forms of these
// characters (１２．５, －３) count as their ASCII forms, since they come from
// input-method text boxes. Not accepted: thousands separators, currency signs,
// hexadecimal, bracketed negatives.

#include <cstdint>
#include <string>
#include <string_view>

namespace omrix::util {

// Blank text gives 0. Fractions round half to even (2.5 -> 2, 3.5 -> 4).
// False for a text that is not a number or whose rounded value does not fit;
// `out` is left alone then.
bool fnCIntText(std::string_view text, int16_t& out);
bool fnCLngText(std::string_view text, int32_t& out);
// False also for a value beyond the double range; values too small for it give 0.
bool fnCDblText(std::string_view text, double& out);

// The same, with `fallback` for a text that does not convert.
int16_t fnCIntTextOr(std::string_view text, int16_t fallback);
int32_t fnCLngTextOr(std::string_view text, int32_t fallback);
double fnCDblTextOr(std::string_view text, double fallback);

// Rounds to `digits` decimals through the text "###########0.000" of the shifted
// magnitude. Mode 0 rounds halves to even, any other mode away from zero. Digits
// below the third decimal of the shifted value are rounded by that formatting first.
// NaN and infinities come back unchanged.
double fnRound(int16_t mode, double value, int16_t digits);

// Formats as the Windows Format function does with a pattern built of '#', '0',
// ',' and '.': the value taken at 15 significant digits, rounded half away from zero
// at the pattern's decimals, grouped by three when the integer part holds a ','.
// '0' is a digit always shown, '#' one shown when needed; a pattern with a point
// whose optional decimals all drop keeps the point ("#.##" formats 1 as "1.").
// Characters before the first and after the last placeholder are kept as they are.
// Negative values get a leading '-', unless they round to zero. NaN and infinities
// give an empty text.
std::string formatNumber(double value, std::string_view pattern);

// "###,###,###,##0.000": quantities on the statement.
std::string formatGrouped3(double value);
// "###########0.000".
std::string formatPlain3(double value);

// The text form of a double: up to 15 significant digits, no trailing zeros,
// exponent form ("1E+15", "1.5E-05") below 0.0001 and from 1E+15 on.
std::string doubleToText(double value);

}  // namespace omrix::util
