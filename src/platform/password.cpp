#include "platform/password.h"

#include <algorithm>
#include <array>
#include <random>

#include "util/cp932.h"
#include "util/text.h"

namespace omrix::platform {
namespace {

using Block = std::array<uint32_t, 2>;

// Shared by every program of the suite that reads the INI file: it keeps the password
// out of plain sight, not away from someone who has the program.
constexpr std::array<uint32_t, 4> kKey = {0x6F6D7269, 0x782D7072, 0x696E742D, 0x6B657931};
constexpr uint32_t kDelta = 0x9E3779B9;
constexpr size_t kBlockBytes = 8;

Block encipher(Block v) {
    uint32_t sum = 0;
    for (int round = 0; round < 32; ++round) {
        v[0] += (((v[1] << 4) ^ (v[1] >> 5)) + v[1]) ^ (sum + kKey[sum & 3]);
        sum += kDelta;
        v[1] += (((v[0] << 4) ^ (v[0] >> 5)) + v[0]) ^ (sum + kKey[(sum >> 11) & 3]);
    }
    return v;
}

Block decipher(Block v) {
    uint32_t sum = kDelta * 32;
    for (int round = 0; round < 32; ++round) {
        v[1] -= (((v[0] << 4) ^ (v[0] >> 5)) + v[0]) ^ (sum + kKey[(sum >> 11) & 3]);
        sum -= kDelta;
        v[0] -= (((v[1] << 4) ^ (v[1] >> 5)) + v[1]) ^ (sum + kKey[sum & 3]);
    }
    return v;
}

Block load(const uint8_t* bytes) {
    auto word = [&](int at) {
        return static_cast<uint32_t>(bytes[at]) << 24 | static_cast<uint32_t>(bytes[at + 1]) << 16 |
               static_cast<uint32_t>(bytes[at + 2]) << 8 | bytes[at + 3];
    };
    return {word(0), word(4)};
}

void store(Block v, uint8_t* bytes) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<uint8_t>(v[0] >> (24 - 8 * i));
        bytes[4 + i] = static_cast<uint8_t>(v[1] >> (24 - 8 * i));
    }
}

int hexValue(uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// IV block, then the padded password in CBC blocks.
bool decodeHex(const std::vector<uint8_t>& in, std::vector<uint8_t>& bytes) {
    size_t end = 1;
    while (end < in.size() && in[end] != 0) ++end;
    size_t digits = end > 1 ? end - 1 : 0;
    if (digits == 0 || digits % (2 * kBlockBytes) != 0 || digits < 4 * kBlockBytes) return false;
    for (size_t i = 1; i < end; i += 2) {
        int high = hexValue(in[i]), low = hexValue(in[i + 1]);
        if (high < 0 || low < 0) return false;
        bytes.push_back(static_cast<uint8_t>(high << 4 | low));
    }
    return true;
}

}  // namespace

bool fnTessik_Password_Decrypt(const std::vector<uint8_t>& in, std::vector<uint8_t>& out) {
    std::fill(out.begin(), out.end(), 0);
    std::vector<uint8_t> bytes;
    if (!decodeHex(in, bytes)) return false;

    std::vector<uint8_t> plain(bytes.size() - kBlockBytes);
    Block previous = load(bytes.data());
    for (size_t at = kBlockBytes; at < bytes.size(); at += kBlockBytes) {
        Block cipher = load(bytes.data() + at);
        Block block = decipher(cipher);
        block[0] ^= previous[0];
        block[1] ^= previous[1];
        store(block, plain.data() + at - kBlockBytes);
        previous = cipher;
    }
    uint8_t pad = plain.back();
    if (pad == 0 || pad > kBlockBytes) return false;
    for (size_t i = plain.size() - pad; i < plain.size(); ++i) {
        if (plain[i] != pad) return false;
    }
    plain.resize(plain.size() - pad);
    for (size_t i = 0; i < plain.size() && i + 1 < out.size(); ++i) out[i + 1] = plain[i];
    return true;
}

std::string encipherPassword(std::string_view plain) {
    if (plain.empty()) return {};
    std::string bytes = util::utf8ToCp932(plain);
    size_t pad = kBlockBytes - bytes.size() % kBlockBytes;
    bytes.append(pad, static_cast<char>(pad));

    std::random_device random;
    std::vector<uint8_t> out(kBlockBytes + bytes.size());
    Block previous = {random(), random()};
    store(previous, out.data());
    for (size_t at = 0; at < bytes.size(); at += kBlockBytes) {
        Block block = load(reinterpret_cast<const uint8_t*>(bytes.data()) + at);
        block[0] ^= previous[0];
        block[1] ^= previous[1];
        previous = encipher(block);
        store(previous, out.data() + kBlockBytes + at);
    }
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (uint8_t b : out) {
        text += kDigits[b >> 4];
        text += kDigits[b & 15];
    }
    return text;
}

std::string decodeStoredPassword(std::string_view stored) {
    if (stored.empty()) return {};
    int32_t length = util::fnLenByte(stored);
    std::vector<uint8_t> in(static_cast<size_t>(length) + 1), out(static_cast<size_t>(length) + 1);
    util::sbTextToBytes(stored, in, length, 0);
    fnTessik_Password_Decrypt(in, out);
    return util::fnBytesToText(out);
}

}  // namespace omrix::platform
