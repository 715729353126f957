#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>

#include "certificate/KeyFiles.h"

using namespace velmora::certificate;

namespace {

class KeyFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("velmora-keys-" + std::to_string(std::random_device()()));
        ASSERT_TRUE(std::filesystem::create_directory(m_dir));
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::string path(const char* name) const { return (m_dir / name).string(); }
    static std::string contents(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static KeyFileFault faultOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const KeyFileError& error) {
            return error.fault();
        }
        ADD_FAILURE() << "no KeyFileError";
        return KeyFileFault::Malformed;
    }

    std::filesystem::path m_dir;
};

}  // namespace

TEST_F(KeyFilesTest, KeysReadBackAndNoTemporaryFileStays) {
    const KeyPair key = createKeyFiles(path("dealer.key"), path("dealer.pub"));
    EXPECT_EQ(readPrivateKeyFile(path("dealer.key")).seed, key.seed);
    EXPECT_EQ(readPrivateKeyFile(path("dealer.key")).publicKey, key.publicKey);
    EXPECT_EQ(readPublicKeyFile(path("dealer.pub")), key.publicKey);
    EXPECT_EQ(readPublicKeys(m_dir.string()), std::vector<std::string>{key.publicKey});
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir), {}), 2);
}

TEST_F(KeyFilesTest, KeysAreNeverOverwritten) {
    createKeyFiles(path("dealer.key"), path("dealer.pub"));
    const std::string before = contents(path("dealer.key"));
    EXPECT_EQ(faultOf([&] { createKeyFiles(path("dealer.key"), path("other.pub")); }),
              KeyFileFault::Exists);
    EXPECT_EQ(faultOf([&] { createKeyFiles(path("other.key"), path("dealer.pub")); }),
              KeyFileFault::Exists);
    EXPECT_EQ(faultOf([&] { createFileExclusively(path("dealer.key"), "x", true); }),
              KeyFileFault::Exists);
    EXPECT_EQ(contents(path("dealer.key")), before);
    EXPECT_FALSE(std::filesystem::exists(path("other.pub")));
    EXPECT_FALSE(std::filesystem::exists(path("other.key")));
}

TEST_F(KeyFilesTest, BadKeyFilesSayWhy) {
    createKeyFiles(path("dealer.key"), path("dealer.pub"));
    EXPECT_EQ(faultOf([&] { readPrivateKeyFile(path("missing.key")); }), KeyFileFault::Missing);
    EXPECT_EQ(faultOf([&] { readPrivateKeyFile(path("dealer.pub")); }), KeyFileFault::Malformed);
    EXPECT_EQ(faultOf([&] { readPublicKeyFile(path("dealer.key")); }), KeyFileFault::Malformed);
    createFileExclusively(path("short.pub"), "velmora-public-key ed25519 AAAA\n", false);
    EXPECT_EQ(faultOf([&] { readPublicKeyFile(path("short.pub")); }), KeyFileFault::Malformed);
    std::filesystem::create_directory(m_dir / "empty");
    EXPECT_EQ(faultOf([&] { readPublicKeys(path("empty")); }), KeyFileFault::Missing);
    EXPECT_EQ(faultOf([&] { createKeyFiles(path("no/such/dir.key"), path("no/dir.pub")); }),
              KeyFileFault::WriteFailed);
}
