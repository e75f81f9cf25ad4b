#include "util/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace omrix::util {
namespace {

// One descriptor per direction and thread: opening iconv costs far more than a short conversion.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts in place of bad input: onBad is told how many input bytes were refused
    // and what to put out for them.
    template <typename OnBad>
    std::string run(std::string_view in, OnBad onBad) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out;
        out.resize(in.size() * 2 + 8);
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        size_t done = 0;
        while (srcLeft > 0) {
            char* dst = out.data() + done;
            size_t dstLeft = out.size() - done;
            size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            done = out.size() - dstLeft;
            if (rc != static_cast<size_t>(-1)) break;
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
                continue;
            }
            // EILSEQ or EINVAL: skip the refused character.
            auto [skip, replacement] = onBad(std::string_view(src, srcLeft));
            out.resize(std::max(out.size(), done + replacement.size() + 8));
            out.replace(done, replacement.size(), replacement);
            done += replacement.size();
            src += skip;
            srcLeft -= skip;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        out.resize(done);
        return out;
    }

private:
    iconv_t cd_;
};

size_t utf8SequenceLength(std::string_view s) {
    auto b = static_cast<unsigned char>(s[0]);
    size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    if (n == 0 || n > s.size()) return 0;
    for (size_t i = 1; i < n; ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0;
    }
    return n;
}

bool isAscii(std::string_view s) {
    for (char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

}  // namespace

bool isValidUtf8(std::string_view text) {
    while (!text.empty()) {
        size_t n = utf8SequenceLength(text);
        if (n == 0) return false;
        text.remove_prefix(n);
    }
    return true;
}

std::string utf8ToCp932(std::string_view utf8) {
    if (isAscii(utf8)) return std::string(utf8);
    thread_local Converter conv("CP932", "UTF-8");
    return conv.run(utf8, [](std::string_view rest) {
        size_t n = utf8SequenceLength(rest);
        return std::pair<size_t, std::string_view>(n == 0 ? 1 : n, "?");
    });
}

std::string cp932ToUtf8(std::string_view cp932) {
    if (isAscii(cp932)) return std::string(cp932);
    thread_local Converter conv("UTF-8", "CP932");
    return conv.run(cp932, [](std::string_view) {
        return std::pair<size_t, std::string_view>(1, "");
    });
}

}  // namespace omrix::util
