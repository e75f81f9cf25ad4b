#pragma once
// Stand-in for the suite's password cipher. The INI file keeps the log-in password
// enciphered with libsodium's secretbox under a key kept in a key file of its own;
// omrix-db encrypt-password makes the stored text (and the key file when missing).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace omrix::platform {

// The stored text begins with this, so that another cipher can follow it one day.
inline constexpr std::string_view kPasswordPrefix = "sb1:";

// $OMRIX_KEY_FILE, else $XDG_CONFIG_HOME/omrix/secret.key, else
// ~/.config/omrix/secret.key.
std::string passwordKeyFile();

// Reads the key from the key file at `path`: only a regular file that only its owner
// may read or write (0600) and of a key's size is read. False with `error` naming the
// file and the cause.
bool readPasswordKey(const std::string& path, std::vector<unsigned char>& key, std::string& error);

// Makes the key file (mode 0600, its folder 0700) when it does not exist yet; an
// existing one is only checked. False with `error` naming the file and the cause.
bool ensurePasswordKey(std::string& error);

// 1-based byte arrays as the callers pass them (element 0 unused): `in` holds the
// stored text's bytes, cut at the first NUL; `out` gets the plain password's bytes
// followed by a NUL, as far as it has room. False, with `out` all NUL, for a text that
// cannot be deciphered.
bool fnTessik_Password_Decrypt(const std::vector<uint8_t>& in, std::vector<uint8_t>& out);

// The text to store in the INI file for a password (its CP932 bytes enciphered);
// an empty password stays empty. False with `error` when there is no usable key.
bool encipherPassword(std::string_view plain, std::string& stored, std::string& error);

// The stored PASSWORD value (already right-trimmed) turned into the log-in password:
// empty stays empty and never reaches the cipher. False with `error` (which never
// holds the password) when the text cannot be deciphered.
bool decodeStoredPassword(std::string_view stored, std::string& plain, std::string& error);

}  // namespace omrix::platform
