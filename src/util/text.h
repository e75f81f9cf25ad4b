#pragma once
// Text measured and cut in bytes of its CP932 form, as fixed-width columns and
// layouts count it: a full-width character takes two bytes, ASCII and half-width
// kana one, a character outside the code page one ('?').
//
// A cut never splits a character: a double-byte character that the byte limit
// would halve is left out whole.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace omrix::util {

// Bytes of the text's CP932 form.
int32_t fnLenByte(std::string_view text);

// The first / last n bytes of the CP932 form, turned back into text. The round
// trip is real: a character outside the code page comes back as '?'.
std::string fnLeftB(std::string_view text, int32_t n);
std::string fnRightB(std::string_view text, int32_t n);

// The longest start of the text whose CP932 form fits in n bytes. Unlike fnLeftB
// the characters stay as they are (a character outside the code page still counts
// one byte); an invalid UTF-8 byte becomes '?'. For fixed-width fields.
std::string cutToBytes(std::string_view text, int32_t n);

// The characters before the first NUL; the whole text when it holds none.
std::string fnCutAtNul(std::string_view text);

// Byte arrays here are 1-based, as the password buffers of the log-in use them:
// element 0 exists, is never written and never read.
//
// Copies the CP932 bytes of the text to positions 1.. of the array, no more than the
// array holds; then, with a pad mode other than 0, fills the positions after them up
// to `length` with NUL (pad mode 1) or blanks (any other mode). Positions beyond the
// array are never touched, whatever `length` says.
void sbTextToBytes(std::string_view text, std::vector<uint8_t>& bytes, int32_t length,
                   int16_t padMode);

// Positions 1.. of the array read as CP932 text, cut at the first NUL.
std::string fnBytesToText(const std::vector<uint8_t>& bytes);

// What a trim takes off. Blanks are half-width spaces only, as the fixed-width fields
// are padded with them; typed values (options, numbers, INI lines) may carry tabs too.
inline constexpr std::string_view kBlanks = " ";
inline constexpr std::string_view kBlanksAndTabs = " \t";

std::string_view trimBlanksLeft(std::string_view text, std::string_view blanks = kBlanks);
std::string_view trimBlanksRight(std::string_view text, std::string_view blanks = kBlanks);
std::string_view trimBlanks(std::string_view text, std::string_view blanks = kBlanks);
// True when the text holds nothing but those characters.
bool isBlankText(std::string_view text, std::string_view blanks = kBlanks);

}  // namespace omrix::util
