#include "platform/password.h"

#include <fcntl.h>
#include <sodium.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "util/cp932.h"
#include "util/text.h"

namespace omrix::platform {
namespace {

constexpr const char* kKeyFileVariable = "OMRIX_KEY_FILE";
constexpr const char* kKeyFileName = "omrix/secret.key";
// The key is kept as hexadecimal text, so that it can be copied to the other
// machines of the suite as text.
constexpr size_t kKeyHexDigits = 2 * crypto_secretbox_KEYBYTES;
constexpr mode_t kKeyFileMode = 0600;
constexpr mode_t kKeyFolderMode = 0700;
constexpr int kBase64Variant = sodium_base64_VARIANT_URLSAFE_NO_PADDING;

util::Status sodiumReady() {
    if (sodium_init() >= 0) return {};
    return util::Failure{"the cipher library (libsodium) could not be initialised"};
}

std::string systemReason() {
    return std::strerror(errno);
}

std::string keyFileText(const std::string& path) {
    return "the password key file " + path;
}

// The file as written (hexadecimal digits and a line end), or as another editor may
// end its line.
constexpr off_t kKeyFileShortest = kKeyHexDigits;
constexpr off_t kKeyFileLongest = kKeyHexDigits + 2;

std::string modeText(mode_t mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
    return text;
}

// Why the opened key file is refused before a byte of it is read.
util::Status refusal(int fd, const std::string& path) {
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return util::Failure{keyFileText(path) + " cannot be read", systemReason()};
    if (!S_ISREG(info.st_mode)) return util::Failure{keyFileText(path) + " is not a regular file"};
    // As ssh refuses such a private key: anyone else who can read it holds the passwords.
    if ((info.st_mode & 077) != 0) {
        return util::Failure{keyFileText(path) + " may be read or written by others (mode " +
                             modeText(info.st_mode) + "); make it 0600"};
    }
    if (info.st_size < kKeyFileShortest || info.st_size > kKeyFileLongest) {
        return util::Failure{keyFileText(path) + " does not hold a key (" +
                             std::to_string(info.st_size) + " bytes)"};
    }
    return {};
}

}  // namespace

util::Result<PasswordKey> readPasswordKey(const std::string& path) {
    // Non-blocking: a named pipe in its place must not hang the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT)
            return util::Failure{"no password key file at " + path +
                                 " (omrix-db encrypt-password makes one)"};
        return util::Failure{keyFileText(path) + " cannot be read", systemReason()};
    }
    util::Status usable = refusal(fd, path);
    char buffer[kKeyFileLongest + 1];
    ssize_t length = usable ? ::read(fd, buffer, sizeof buffer) : 0;
    if (usable && length < 0)
        usable = util::Failure{keyFileText(path) + " cannot be read", systemReason()};
    ::close(fd);
    if (!usable) return usable.failure();
    std::string_view text(buffer, static_cast<size_t>(length));
    while (!text.empty() && std::strchr(" \t\r\n", text.back()) != nullptr) text.remove_suffix(1);
    PasswordKey key(crypto_secretbox_KEYBYTES, 0);
    size_t decoded = 0;
    const bool ok = text.size() == kKeyHexDigits &&
                    sodium_hex2bin(key.data(), key.size(), text.data(), text.size(), nullptr,
                                   &decoded, nullptr) == 0 &&
                    decoded == key.size();
    sodium_memzero(buffer, sizeof buffer);
    if (!ok) return util::Failure{keyFileText(path) + " does not hold a key"};
    return key;
}

namespace {

util::Status writeNewKey(const std::string& path) {
    std::error_code ignored;
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty() && !std::filesystem::exists(folder, ignored)) {
        std::filesystem::create_directories(folder, ignored);
        ::chmod(folder.c_str(), kKeyFolderMode);
    }
    // O_EXCL: a key another program made in the meantime is kept, never replaced.
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, kKeyFileMode);
    if (fd < 0) {
        if (errno == EEXIST) return {};
        return util::Failure{"cannot create " + keyFileText(path), systemReason()};
    }
    PasswordKey key(crypto_secretbox_KEYBYTES);
    crypto_secretbox_keygen(key.data());
    std::string text(kKeyHexDigits + 1, '\0');
    sodium_bin2hex(text.data(), text.size(), key.data(), key.size());
    text.back() = '\n';
    sodium_memzero(key.data(), key.size());
    bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    sodium_memzero(text.data(), text.size());
    if (::close(fd) != 0) written = false;
    if (written) return {};
    util::Failure failure{"cannot write " + keyFileText(path), systemReason()};
    ::unlink(path.c_str());
    return failure;
}

// The stored text's bytes (prefix, then nonce and box in base64) to the plain bytes.
util::Result<std::string> decipher(std::string_view stored) {
    if (util::Status ready = sodiumReady(); !ready) return ready.failure();
    if (stored.substr(0, kPasswordPrefix.size()) != kPasswordPrefix)
        return util::Failure{"the stored password is not a text of omrix-db encrypt-password"};
    std::string_view encoded = stored.substr(kPasswordPrefix.size());
    std::vector<unsigned char> bytes(encoded.size());
    size_t length = 0;
    if (sodium_base642bin(bytes.data(), bytes.size(), encoded.data(), encoded.size(), nullptr,
                          &length, nullptr, kBase64Variant) != 0 ||
        length < crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES) {
        return util::Failure{"the stored password is damaged"};
    }
    const std::string path = passwordKeyFile();
    util::Result<PasswordKey> key = readPasswordKey(path);
    if (!key) return key.failure();
    const unsigned char* nonce = bytes.data();
    const unsigned char* box = nonce + crypto_secretbox_NONCEBYTES;
    size_t boxLength = length - crypto_secretbox_NONCEBYTES;
    std::string plain(boxLength - crypto_secretbox_MACBYTES, '\0');
    bool opened = crypto_secretbox_open_easy(reinterpret_cast<unsigned char*>(plain.data()), box,
                                             boxLength, nonce, key->data()) == 0;
    sodium_memzero(key->data(), key->size());
    if (opened) return plain;
    return util::Failure{"the stored password does not open with the key in " + path +
                         " (enciphered under another key, or changed)"};
}

}  // namespace

std::string passwordKeyFile() {
    if (const char* file = std::getenv(kKeyFileVariable); file != nullptr && *file != '\0')
        return file;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config != nullptr && *config != '\0')
        return (std::filesystem::path(config) / kKeyFileName).string();
    const char* home = std::getenv("HOME");
    return (std::filesystem::path(home != nullptr ? home : ".") / ".config" / kKeyFileName)
        .string();
}

util::Status ensurePasswordKey() {
    if (util::Status ready = sodiumReady(); !ready) return ready;
    const std::string path = passwordKeyFile();
    if (util::Status made = writeNewKey(path); !made) return made;
    util::Result<PasswordKey> key = readPasswordKey(path);
    if (!key) return key.failure();
    sodium_memzero(key->data(), key->size());
    return {};
}

bool fnTessik_Password_Decrypt(const std::vector<uint8_t>& in, std::vector<uint8_t>& out) {
    std::fill(out.begin(), out.end(), 0);
    size_t end = 1;
    while (end < in.size() && in[end] != 0) ++end;
    std::string stored(in.begin() + std::min<size_t>(1, in.size()), in.begin() + end);
    util::Result<std::string> plain = decipher(stored);
    if (!plain) return false;
    for (size_t i = 0; i < plain->size() && i + 1 < out.size(); ++i)
        out[i + 1] = static_cast<uint8_t>((*plain)[i]);
    sodium_memzero(plain->data(), plain->size());
    return true;
}

util::Result<std::string> encipherPassword(std::string_view plain) {
    if (plain.empty()) return std::string();
    if (util::Status ready = sodiumReady(); !ready) return ready.failure();
    util::Result<PasswordKey> key = readPasswordKey(passwordKeyFile());
    if (!key) return key.failure();
    std::string bytes = util::utf8ToCp932(plain);
    std::vector<unsigned char> sealed(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES +
                                      bytes.size());
    randombytes_buf(sealed.data(), crypto_secretbox_NONCEBYTES);
    crypto_secretbox_easy(sealed.data() + crypto_secretbox_NONCEBYTES,
                          reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                          sealed.data(), key->data());
    sodium_memzero(key->data(), key->size());
    sodium_memzero(bytes.data(), bytes.size());
    std::string text(sodium_base64_ENCODED_LEN(sealed.size(), kBase64Variant), '\0');
    sodium_bin2base64(text.data(), text.size(), sealed.data(), sealed.size(), kBase64Variant);
    text.resize(std::strlen(text.c_str()));
    return std::string(kPasswordPrefix) + text;
}

util::Result<std::string> decodeStoredPassword(std::string_view stored) {
    if (stored.empty()) return std::string();
    util::Result<std::string> bytes = decipher(stored);
    if (!bytes) return bytes.failure();
    std::string plain = util::cp932ToUtf8(bytes.value());
    sodium_memzero(bytes->data(), bytes->size());
    return plain;
}

}  // namespace omrix::platform
