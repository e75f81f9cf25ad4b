#pragma once
// Stand-in for the suite's password cipher. The INI file keeps the log-in password
// enciphered with libsodium's secretbox under a key kept in a key file of its own;
// omrix-db encrypt-password makes the stored text (and the key file when missing).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "util/failure.h"

namespace omrix::platform {

// The stored text begins with this, so that another cipher can follow it one day.
inline constexpr std::string_view kPasswordPrefix = "sb1:";

// $OMRIX_KEY_FILE, else $XDG_CONFIG_HOME/omrix/secret.key, else
// ~/.config/omrix/secret.key.
std::string passwordKeyFile();

using PasswordKey = std::vector<unsigned char>;

// Reads the key from the key file at `path`: only a regular file that only its owner
// may read or write (0600) and of a key's size is read. A failure names the file.
util::Result<PasswordKey> readPasswordKey(const std::string& path);

// Makes the key file (mode 0600, its folder 0700) when it does not exist yet; an
// existing one is only checked. A failure names the file.
util::Status ensurePasswordKey();

// 1-based byte arrays as the callers pass them (element 0 unused): `in` holds the
// stored text's bytes, cut at the first NUL; `out` gets the plain password's bytes
// followed by a NUL, as far as it has room. False, with `out` all NUL, for a text that
// cannot be deciphered.
bool fnTessik_Password_Decrypt(const std::vector<uint8_t>& in, std::vector<uint8_t>& out);

// The text to store in the INI file for a password (its CP932 bytes enciphered);
// an empty password stays empty. Fails when there is no usable key.
util::Result<std::string> encipherPassword(std::string_view plain);

// The stored PASSWORD value (already right-trimmed) turned into the log-in password:
// empty stays empty and never reaches the cipher. The failure of a text that cannot be
// deciphered never holds the password.
util::Result<std::string> decodeStoredPassword(std::string_view stored);

}  // namespace omrix::platform
