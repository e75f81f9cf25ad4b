#pragma once
// Text rules of the printed statement, also used by the project windows: widths in
// CP932 bytes, alignment in a byte width, splitting, the ditto mark.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "util/text.h"

namespace omrix::util {

inline constexpr int16_t kAlignRight = -1;
inline constexpr int16_t kAlignLeft = 0;
inline constexpr int16_t kAlignCenter = 1;  // any other value centres as well

// Trims the text (the argument receives the trimmed text) and pads it with blanks to
// `width` bytes. A text already wider is returned trimmed, uncut. Centring puts the
// odd blank before the text, as the layouts always have: of d blanks, d/2 rounded
// half to even go after it.
std::string fnAlignByBytes(std::string& text, int16_t alignment, int16_t width);

// The parts of the text between delimiters, empty parts kept, into `parts` (element 1
// of the caller's 1-based array at index 0). A blank text gives 0 and leaves `parts`
// alone. An empty delimiter finds nothing: the text is one part. Past 32767 parts the
// last one takes the rest.
int16_t fnSplitText(std::string_view text, std::string_view delimiter,
                    std::vector<std::string>& parts);

inline constexpr int16_t kDittoWide = 1;    // name lines
inline constexpr int16_t kDittoNarrow = 2;  // narrower columns

// The ditto mark when the switch is on, the reference is not blank and the text is
// exactly the reference; otherwise the text itself.
std::string fnDittoText(int16_t dittoSwitch, int16_t kind, std::string_view reference,
                        std::string_view current);

}  // namespace omrix::util
