#include "platform/password.h"

#include <gtest/gtest.h>

namespace omrix::platform {
namespace {

TEST(PasswordCipher, RoundTripsAndRejectsForeignText) {
    for (std::string plain : {"a", "12345678", "pass word", "秘密のパスワード１２３"}) {
        std::string stored = encipherPassword(plain);
        EXPECT_NE(stored, plain);
        EXPECT_EQ(stored.size() % 16, 0u);
        EXPECT_EQ(decodeStoredPassword(stored), plain);
        EXPECT_NE(encipherPassword(plain), stored);  // a fresh IV every time
    }
    EXPECT_EQ(encipherPassword(""), "");
    EXPECT_EQ(decodeStoredPassword(""), "");

    std::string stored = encipherPassword("secret");
    std::string tampered = stored;
    tampered.back() = tampered.back() == '0' ? '1' : '0';
    EXPECT_EQ(decodeStoredPassword(tampered), "");
    EXPECT_EQ(decodeStoredPassword("secret"), "");
    EXPECT_EQ(decodeStoredPassword(stored.substr(0, 16)), "");
    EXPECT_EQ(decodeStoredPassword("ZZ" + stored.substr(2)), "");

    // The output array is never overrun, whatever its size.
    std::vector<uint8_t> in(stored.size() + 1), out(4, 0xFF);
    std::copy(stored.begin(), stored.end(), in.begin() + 1);
    EXPECT_TRUE(fnTessik_Password_Decrypt(in, out));
    EXPECT_EQ(std::string(out.begin() + 1, out.end()), "sec");
}

}  // namespace
}  // namespace omrix::platform
