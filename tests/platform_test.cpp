// What the file layer needs of the system, checked on whichever platform
// implementation the binary is linked with: the POSIX one in the internal
// tests, the standard C++ one in a binary of its own, so that an ordinary
// build tests both.

#include "runtime/Platform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;
namespace platform = LtXmlLib3::detail::platform;

class Platform : public ::testing::Test {
protected:
    void SetUp() override {
        // Both platform binaries run these tests, perhaps at once: a directory per process.
        m_dir = fs::temp_directory_path() / ("vantrel-platform-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    std::string Path(const char* name) const { return (m_dir / name).string(); }
    fs::path m_dir;
};

TEST_F(Platform, TellsFilesDirectoriesLinksAndMissingPaths) {
    std::ofstream(Path("a.txt")) << "abc";
    platform::FileStatus status;
    ASSERT_TRUE(platform::Status(Path("a.txt"), status));
    EXPECT_TRUE(status.regular && !status.directory);
    EXPECT_EQ(status.size, 3u);
    ASSERT_TRUE(platform::Status(m_dir.string(), status));
    EXPECT_TRUE(status.directory && !status.regular);
    EXPECT_FALSE(platform::Status(Path("missing"), status));

    fs::create_symlink(Path("a.txt"), Path("link"));
    bool isLink = false;
    std::string target;
    EXPECT_FALSE(platform::ReadLink(Path("link"), isLink, target));
    EXPECT_TRUE(isLink);
    EXPECT_EQ(target, Path("a.txt"));
    EXPECT_FALSE(platform::ReadLink(Path("a.txt"), isLink, target));
    EXPECT_FALSE(isLink);

    const char text[] = "a/b/c";
    EXPECT_EQ(platform::FindLast(text, 5, '/'), text + 3);
    EXPECT_EQ(platform::FindLast(text, 1, '/'), nullptr);
}

TEST_F(Platform, AUniqueFileWrittenAndClosedReplacesItsTarget) {
    std::ofstream(Path("target")) << "old";
    std::string temporary = Path("target.tmp-XXXXXX");
    platform::File out;
    ASSERT_FALSE(out.CreateUnique(temporary));
    EXPECT_NE(temporary, Path("target.tmp-XXXXXX"));
    ASSERT_FALSE(out.SetPermissions(0640));
    ASSERT_FALSE(out.Write("new "));
    ASSERT_FALSE(out.Write("text"));
    ASSERT_FALSE(out.Sync());
    ASSERT_FALSE(out.Close());
    ASSERT_FALSE(platform::Replace(temporary, Path("target")));
    EXPECT_FALSE(fs::exists(temporary));

    platform::File in;
    ASSERT_FALSE(in.OpenForReading(Path("target")));
    platform::FileStatus status;
    ASSERT_FALSE(in.GetStatus(status));
    EXPECT_EQ(status.size, 8u);
    EXPECT_EQ(status.permissions, 0640u);
    char buffer[16];
    std::size_t count = 0;
    ASSERT_FALSE(in.Read(buffer, sizeof buffer, count));
    EXPECT_EQ(std::string(buffer, count), "new text");
    ASSERT_FALSE(in.Read(buffer, sizeof buffer, count));
    EXPECT_EQ(count, 0u);

    // A second unique name from the same pattern is another file.
    std::string other = Path("target.tmp-XXXXXX");
    platform::File second;
    ASSERT_FALSE(second.CreateUnique(other));
    EXPECT_NE(other, temporary);
    platform::Remove(other);
    EXPECT_FALSE(fs::exists(other));
    EXPECT_TRUE(platform::File().OpenForReading(Path("missing")));
    EXPECT_TRUE(platform::File().OpenForWriting(Path("missing/x")));
}

}  // namespace
