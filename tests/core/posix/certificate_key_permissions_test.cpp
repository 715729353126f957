#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "certificate/KeyFiles.h"

using namespace velmora::certificate;

namespace {

class KeyPermissionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "velmora-keys-XXXXXX");
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::string path(const char* name) const { return (m_dir / name).string(); }
    static int modeOf(const std::string& file) {
        struct stat info {};
        EXPECT_EQ(stat(file.c_str(), &info), 0);
        return static_cast<int>(info.st_mode & 0777);
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

TEST_F(KeyPermissionsTest, PrivateKeyIsTheOwnersAloneWhateverTheUmask) {
    const mode_t previous = umask(0);
    createKeyFiles(path("dealer.key"), path("dealer.pub"));
    umask(previous);
    EXPECT_EQ(modeOf(path("dealer.key")), 0600);
    EXPECT_EQ(modeOf(path("dealer.pub")), 0644);
}

TEST_F(KeyPermissionsTest, PrivateKeyOthersCanReadIsRefused) {
    createKeyFiles(path("dealer.key"), path("dealer.pub"));
    chmod(path("dealer.key").c_str(), 0644);
    EXPECT_EQ(faultOf([&] { readPrivateKeyFile(path("dealer.key")); }), KeyFileFault::OpenToOthers);
}
