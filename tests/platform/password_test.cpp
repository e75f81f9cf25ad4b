#include "platform/password.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "context/temp_folder.h"
#include "platform/password_key.h"

namespace omrix::platform {
namespace {

std::string decoded(std::string_view stored) {
    util::Result<std::string> plain = decodeStoredPassword(stored);
    return plain ? plain.value() : "<fails>";
}

TEST(PasswordCipher, RoundTripsWithAFreshNonceEveryTime) {
    testing::PasswordKey key;
    for (std::string plain : {"12345678", "秘密のパスワード;w=}{"}) {
        std::string stored = key.stored(plain);
        EXPECT_EQ(stored.substr(0, kPasswordPrefix.size()), kPasswordPrefix);
        EXPECT_EQ(stored.find(plain), std::string::npos);
        EXPECT_EQ(decoded(stored), plain);
        EXPECT_NE(key.stored(plain), stored);
    }
    EXPECT_EQ(key.stored("") + decoded(""), "");
}

TEST(PasswordCipher, TextsThatDoNotDecipherFailWithAReasonWithoutThePassword) {
    // Not a word that a key file's path or a reason could hold by chance.
    const std::string plain = "Qz7-pw-Vk";
    testing::PasswordKey key;
    std::string stored = key.stored(plain);
    // A middle character: the last may carry spare bits, a damaged text instead.
    std::string tampered = stored;
    char& middle = tampered[tampered.size() / 2];
    middle = middle == 'A' ? 'B' : 'A';
    const struct {
        std::string text;
        std::string reason;
    } cases[] = {
        {tampered, "does not open"},
        {plain, "not a text of omrix-db encrypt-password"},
        {stored.substr(0, 12), "damaged"},
    };
    for (const auto& c : cases) {
        util::Result<std::string> opened = decodeStoredPassword(c.text);
        ASSERT_FALSE(opened) << c.text;
        const std::string error = opened.failure().text();
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        EXPECT_EQ(error.find(plain), std::string::npos) << error;
    }
    // No key file: the message names where it was looked for.
    testing::TempFolder folder;
    const std::string missing = folder.file("secret.key");
    ::setenv("OMRIX_KEY_FILE", missing.c_str(), 1);
    util::Result<std::string> opened = decodeStoredPassword(stored);
    ASSERT_FALSE(opened);
    EXPECT_EQ(opened.failure().text(),
              "no password key file at " + missing + " (omrix-db encrypt-password makes one)");
    // A key file that holds no key is refused, never overwritten.
    testing::writeBytes(missing, "not a key\n");
    ::chmod(missing.c_str(), 0600);
    util::Status made = ensurePasswordKey();
    ASSERT_FALSE(made);
    EXPECT_NE(made.failure().text().find("does not hold a key"), std::string::npos);
    EXPECT_EQ(testing::readBytes(missing), "not a key\n");
}

// Only a regular file of a key's size that only its owner may use is read: a folder,
// a device, a named pipe (which would hang), a huge file, one others may read and a path
// that cannot be reached are each refused with the file named, never an abort.
TEST(PasswordCipher, KeyFilesThatAreNoKeyFileAreRefusedNamingThem) {
    testing::PasswordKey key;
    ASSERT_TRUE(key.ready());
    const std::string good = testing::readBytes(key.file());
    testing::TempFolder folder;
    const std::string fifo = folder.file("fifo"), big = folder.file("big"),
                      open = folder.file("open"), plainFile = folder.file("plain");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    testing::writeBytes(big, std::string(1 << 20, '0'));
    ::chmod(big.c_str(), 0600);
    testing::writeBytes(open, good);
    ::chmod(open.c_str(), 0644);
    testing::writeBytes(plainFile, "x");
    const struct {
        std::string path, reason;
    } cases[] = {
        {folder.path().string(), "is not a regular file"},
        {"/dev/zero", "is not a regular file"},
        {fifo, "is not a regular file"},
        {big, "does not hold a key (1048576 bytes)"},
        {open, "may be read or written by others (mode 0644); make it 0600"},
        {plainFile + "/secret.key", "cannot be read: Not a directory"},
    };
    for (const auto& c : cases) {
        util::Result<PasswordKey> read = readPasswordKey(c.path);
        ASSERT_FALSE(read) << c.path;
        EXPECT_EQ(read.failure().text(), "the password key file " + c.path + " " + c.reason);
    }
    util::Result<PasswordKey> read = readPasswordKey(key.file());
    ASSERT_TRUE(read) << read.failure().text();
    EXPECT_EQ(read->size(), 32U);
}

TEST(PasswordCipher, KeyFileIsMadeOwnerOnlyInItsConfigFolderOnce) {
    testing::TempFolder folder;
    ::unsetenv("OMRIX_KEY_FILE");
    std::string config = folder.file("config");
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    EXPECT_EQ(passwordKeyFile(), config + "/omrix/secret.key");
    ASSERT_TRUE(ensurePasswordKey());
    struct stat info {};
    ASSERT_EQ(::stat(passwordKeyFile().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    std::string key = testing::readBytes(passwordKeyFile());
    ASSERT_TRUE(ensurePasswordKey());
    EXPECT_EQ(testing::readBytes(passwordKeyFile()), key);
    // The byte-array form never writes past its output array.
    const std::string stored = encipherPassword("secret").value();
    std::vector<uint8_t> in(stored.size() + 1), out(4, 0xFF);
    std::copy(stored.begin(), stored.end(), in.begin() + 1);
    EXPECT_TRUE(fnTessik_Password_Decrypt(in, out));
    EXPECT_EQ(std::string(out.begin() + 1, out.end()), "sec");
    in[3] ^= 1;
    EXPECT_FALSE(fnTessik_Password_Decrypt(in, out));
    EXPECT_EQ(out, std::vector<uint8_t>(4, 0));
    ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace omrix::platform
