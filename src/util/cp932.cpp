#include "util/cp932.h"

#include <iconv.h>

#include <array>

namespace omrix::util {
namespace {

// Both directions of the code page, filled once from iconv. Index of toCode:
// a BMP code point (characters outside the BMP have no CP932 form); index of
// toChar: a CP932 code. 0 marks "none" (code 0 and U+0000 never reach the tables).
class Cp932Tables {
  public:
    Cp932Tables() {
        fillHalfWidthKana();
        iconv_t encoder = iconv_open("CP932", "UTF-8");
        iconv_t decoder = iconv_open("UTF-8", "CP932");
        if (encoder != kNoConverter && decoder != kNoConverter) {
            fillEncoder(encoder);
            fillDecoder(decoder);
        }
        if (encoder != kNoConverter) iconv_close(encoder);
        if (decoder != kNoConverter) iconv_close(decoder);
    }

    uint16_t code(char32_t ch) const { return ch < 0x10000 ? toCode_[ch] : 0; }
    char32_t character(uint16_t code) const { return toChar_[code]; }

  private:
    static inline const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

    // Known without iconv, so widths of the common single-byte kana hold even when
    // the C library lacks the code page.
    void fillHalfWidthKana() {
        for (uint16_t b = 0xA1; b <= 0xDF; ++b) {
            toChar_[b] = 0xFF61 + (b - 0xA1);
            toCode_[0xFF61 + (b - 0xA1)] = b;
        }
    }

    // Returns the output bytes, or an empty text when iconv refuses the input.
    static std::string convert(iconv_t cd, std::string_view in) {
        char outBuf[8];
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char* dst = outBuf;
        size_t dstLeft = sizeof outBuf;
        size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (rc == static_cast<size_t>(-1) || srcLeft != 0) return {};
        return std::string(outBuf, sizeof outBuf - dstLeft);
    }

    void fillEncoder(iconv_t cd) {
        std::string utf8;
        for (char32_t ch = 0x80; ch < 0x10000; ++ch) {
            if (ch >= 0xD800 && ch <= 0xDFFF) continue;
            utf8.clear();
            appendUtf8(utf8, ch);
            std::string out = convert(cd, utf8);
            auto b0 = out.empty() ? 0 : static_cast<unsigned char>(out[0]);
            if (out.size() == 1 && b0 != 0 && !isCp932LeadByte(b0)) {
                toCode_[ch] = b0;
            } else if (out.size() == 2 && isCp932LeadByte(b0) &&
                       isCp932TrailByte(static_cast<unsigned char>(out[1]))) {
                toCode_[ch] = static_cast<uint16_t>(b0 << 8 | static_cast<unsigned char>(out[1]));
            }
        }
    }

    void storeDecoded(iconv_t cd, uint16_t code, std::string_view bytes) {
        std::string out = convert(cd, bytes);
        if (out.empty()) return;
        Utf8Char c = decodeUtf8(out, 0);
        if (c.ch != kInvalidChar && c.size == out.size() && c.ch < 0x10000) toChar_[code] = c.ch;
    }

    void fillDecoder(iconv_t cd) {
        for (unsigned b = 0x80; b <= 0xFF; ++b) {
            if (isCp932LeadByte(static_cast<unsigned char>(b))) continue;
            const char single[1] = {static_cast<char>(b)};
            storeDecoded(cd, static_cast<uint16_t>(b), std::string_view(single, 1));
        }
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isCp932LeadByte(static_cast<unsigned char>(lead))) continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                if (!isCp932TrailByte(static_cast<unsigned char>(trail))) continue;
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                storeDecoded(cd, static_cast<uint16_t>(lead << 8 | trail),
                             std::string_view(pair, 2));
            }
        }
    }

    std::array<uint16_t, 0x10000> toCode_{};
    std::array<uint16_t, 0x10000> toChar_{};
};

const Cp932Tables& tables() {
    static const Cp932Tables instance;
    return instance;
}

}  // namespace

uint16_t cp932Code(char32_t ch) {
    if (ch < 0x80) return static_cast<uint16_t>(ch);
    uint16_t code = tables().code(ch);
    return code != 0 ? code : uint16_t{'?'};
}

char32_t cp932Char(uint16_t code) {
    if (code < 0x80) return code;
    char32_t ch = tables().character(code);
    return ch != 0 ? ch : kInvalidChar;
}

std::string utf8ToCp932(std::string_view utf8) {
    std::size_t pos = asciiPrefixLength(utf8);
    std::string out(utf8.substr(0, pos));
    if (pos == utf8.size()) return out;
    out.reserve(utf8.size());
    while (pos < utf8.size()) {
        Utf8Char c = decodeUtf8(utf8, pos);
        pos += c.size;
        uint16_t code = c.ch == kInvalidChar ? uint16_t{'?'} : cp932Code(c.ch);
        if (code > 0xFF) out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
    }
    return out;
}

std::string cp932ToUtf8(std::string_view cp932) {
    std::size_t pos = asciiPrefixLength(cp932);
    std::string out(cp932.substr(0, pos));
    if (pos == cp932.size()) return out;
    out.reserve(cp932.size() * 3 / 2);
    while (pos < cp932.size()) {
        auto b0 = static_cast<unsigned char>(cp932[pos]);
        uint16_t code = b0;
        std::size_t size = 1;
        if (isCp932LeadByte(b0)) {
            // A lead byte without its trail byte is dropped alone; the next byte
            // starts a character of its own.
            if (pos + 1 < cp932.size() &&
                isCp932TrailByte(static_cast<unsigned char>(cp932[pos + 1]))) {
                code = static_cast<uint16_t>(b0 << 8 | static_cast<unsigned char>(cp932[pos + 1]));
                size = 2;
            } else {
                ++pos;
                continue;
            }
        }
        pos += size;
        char32_t ch = cp932Char(code);
        if (ch != kInvalidChar) appendUtf8(out, ch);
    }
    return out;
}

}  // namespace omrix::util
