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

using Key = std::vector<unsigned char>;

bool sodiumReady(std::string& error) {
    if (sodium_init() >= 0) return true;
    error = "the cipher library (libsodium) could not be initialised";
    return false;
}

std::string systemReason() {
    return std::strerror(errno);
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

// Why the opened key file is refused before a byte of it is read; empty: it is fine.
std::string refusal(int fd, const std::string& path) {
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return "the password key file " + path + " cannot be read: " + systemReason();
    if (!S_ISREG(info.st_mode)) return "the password key file " + path + " is not a regular file";
    // As ssh refuses such a private key: anyone else who can read it holds the passwords.
    if ((info.st_mode & 077) != 0) {
        return "the password key file " + path + " may be read or written by others (mode " +
               modeText(info.st_mode) + "); make it 0600";
    }
    if (info.st_size < kKeyFileShortest || info.st_size > kKeyFileLongest) {
        return "the password key file " + path + " does not hold a key (" +
               std::to_string(info.st_size) + " bytes)";
    }
    return {};
}

}  // namespace

bool readPasswordKey(const std::string& path, std::vector<unsigned char>& key, std::string& error) {
    // Non-blocking: a named pipe in its place must not hang the program.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        error = errno == ENOENT
                    ? "no password key file at " + path + " (omrix-db encrypt-password makes one)"
                    : "the password key file " + path + " cannot be read: " + systemReason();
        return false;
    }
    error = refusal(fd, path);
    char buffer[kKeyFileLongest + 1];
    ssize_t length = error.empty() ? ::read(fd, buffer, sizeof buffer) : 0;
    if (error.empty() && length < 0)
        error = "the password key file " + path + " cannot be read: " + systemReason();
    ::close(fd);
    if (!error.empty()) return false;
    std::string_view text(buffer, static_cast<size_t>(length));
    while (!text.empty() && std::strchr(" \t\r\n", text.back()) != nullptr) text.remove_suffix(1);
    key.assign(crypto_secretbox_KEYBYTES, 0);
    size_t decoded = 0;
    const bool ok = text.size() == kKeyHexDigits &&
                    sodium_hex2bin(key.data(), key.size(), text.data(), text.size(), nullptr,
                                   &decoded, nullptr) == 0 &&
                    decoded == key.size();
    sodium_memzero(buffer, sizeof buffer);
    if (!ok) error = "the password key file " + path + " does not hold a key";
    return ok;
}

namespace {

bool readKey(const std::string& path, Key& key, std::string& error) {
    return readPasswordKey(path, key, error);
}

bool writeNewKey(const std::string& path, std::string& error) {
    std::error_code ignored;
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty() && !std::filesystem::exists(folder, ignored)) {
        std::filesystem::create_directories(folder, ignored);
        ::chmod(folder.c_str(), kKeyFolderMode);
    }
    // O_EXCL: a key another program made in the meantime is kept, never replaced.
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, kKeyFileMode);
    if (fd < 0) {
        if (errno == EEXIST) return true;
        error = "cannot create the password key file " + path + ": " + systemReason();
        return false;
    }
    Key key(crypto_secretbox_KEYBYTES);
    crypto_secretbox_keygen(key.data());
    std::string text(kKeyHexDigits + 1, '\0');
    sodium_bin2hex(text.data(), text.size(), key.data(), key.size());
    text.back() = '\n';
    sodium_memzero(key.data(), key.size());
    bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    sodium_memzero(text.data(), text.size());
    if (::close(fd) != 0) written = false;
    if (!written) {
        error = "cannot write the password key file " + path + ": " + systemReason();
        ::unlink(path.c_str());
    }
    return written;
}

// The stored text's bytes (prefix, then nonce and box in base64) to the plain bytes.
bool decipher(std::string_view stored, std::string& plain, std::string& error) {
    if (!sodiumReady(error)) return false;
    if (stored.substr(0, kPasswordPrefix.size()) != kPasswordPrefix) {
        error = "the stored password is not a text of omrix-db encrypt-password";
        return false;
    }
    std::string_view encoded = stored.substr(kPasswordPrefix.size());
    std::vector<unsigned char> bytes(encoded.size());
    size_t length = 0;
    if (sodium_base642bin(bytes.data(), bytes.size(), encoded.data(), encoded.size(), nullptr,
                          &length, nullptr, kBase64Variant) != 0 ||
        length < crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES) {
        error = "the stored password is damaged";
        return false;
    }
    Key key;
    std::string path = passwordKeyFile();
    if (!readKey(path, key, error)) return false;
    const unsigned char* nonce = bytes.data();
    const unsigned char* box = nonce + crypto_secretbox_NONCEBYTES;
    size_t boxLength = length - crypto_secretbox_NONCEBYTES;
    plain.assign(boxLength - crypto_secretbox_MACBYTES, '\0');
    bool opened = crypto_secretbox_open_easy(reinterpret_cast<unsigned char*>(plain.data()), box,
                                             boxLength, nonce, key.data()) == 0;
    sodium_memzero(key.data(), key.size());
    if (!opened) {
        plain.clear();
        error = "the stored password does not open with the key in " + path +
                " (enciphered under another key, or changed)";
    }
    return opened;
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

bool ensurePasswordKey(std::string& error) {
    if (!sodiumReady(error)) return false;
    std::string path = passwordKeyFile();
    if (!writeNewKey(path, error)) return false;
    Key key;
    bool ok = readKey(path, key, error);
    sodium_memzero(key.data(), key.size());
    return ok;
}

bool fnTessik_Password_Decrypt(const std::vector<uint8_t>& in, std::vector<uint8_t>& out) {
    std::fill(out.begin(), out.end(), 0);
    size_t end = 1;
    while (end < in.size() && in[end] != 0) ++end;
    std::string stored(in.begin() + std::min<size_t>(1, in.size()), in.begin() + end);
    std::string plain, error;
    if (!decipher(stored, plain, error)) return false;
    for (size_t i = 0; i < plain.size() && i + 1 < out.size(); ++i)
        out[i + 1] = static_cast<uint8_t>(plain[i]);
    sodium_memzero(plain.data(), plain.size());
    return true;
}

bool encipherPassword(std::string_view plain, std::string& stored, std::string& error) {
    stored.clear();
    if (plain.empty()) return true;
    if (!sodiumReady(error)) return false;
    Key key;
    if (!readKey(passwordKeyFile(), key, error)) return false;
    std::string bytes = util::utf8ToCp932(plain);
    std::vector<unsigned char> sealed(crypto_secretbox_NONCEBYTES + crypto_secretbox_MACBYTES +
                                      bytes.size());
    randombytes_buf(sealed.data(), crypto_secretbox_NONCEBYTES);
    crypto_secretbox_easy(sealed.data() + crypto_secretbox_NONCEBYTES,
                          reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                          sealed.data(), key.data());
    sodium_memzero(key.data(), key.size());
    sodium_memzero(bytes.data(), bytes.size());
    std::string text(sodium_base64_ENCODED_LEN(sealed.size(), kBase64Variant), '\0');
    sodium_bin2base64(text.data(), text.size(), sealed.data(), sealed.size(), kBase64Variant);
    text.resize(std::strlen(text.c_str()));
    stored = std::string(kPasswordPrefix) + text;
    return true;
}

bool decodeStoredPassword(std::string_view stored, std::string& plain, std::string& error) {
    plain.clear();
    if (stored.empty()) return true;
    std::string bytes;
    if (!decipher(stored, bytes, error)) return false;
    plain = util::cp932ToUtf8(bytes);
    sodium_memzero(bytes.data(), bytes.size());
    return true;
}

}  // namespace omrix::platform
