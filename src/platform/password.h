#pragma once
// Stand-in for the suite's password cipher. The INI file keeps the log-in password
// enciphered (XTEA in CBC mode, random IV, as hexadecimal text); omrix-db
// encrypt-password makes that text.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace omrix::platform {

// 1-based byte arrays as the callers pass them (element 0 unused): `in` holds the
// stored text's bytes, cut at the first NUL; `out` gets the plain password's bytes
// followed by a NUL, as far as it has room. False, with `out` all NUL, for a text that
// is not one of ours.
bool fnTessik_Password_Decrypt(const std::vector<uint8_t>& in, std::vector<uint8_t>& out);

// The text to store in the INI file for a password (the password's CP932 bytes
// enciphered); an empty password stays empty.
std::string encipherPassword(std::string_view plain);

// The stored PASSWORD value (already right-trimmed) turned into the log-in password:
// empty stays empty and never reaches the cipher.
std::string decodeStoredPassword(std::string_view stored);

}  // namespace omrix::platform
