#include "platform/atomic_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace velmora;
using velmora::testing::entryCount;
using velmora::testing::readBytes;
using velmora::testing::TempDir;
using velmora::testing::writeBytes;

namespace {
// Makes every write past `bytes` fail (as a full disk would) for the life of the guard.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_ok = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    [[nodiscard]] bool ok() const { return m_ok; }

  private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_ok = false;
};

const std::string kOld = "\"old state\",1,#TRUE#\r\n";
const std::string kNew = std::string(64 * 1024, 'n');
bool write(const std::filesystem::path& p, std::string_view bytes) {
    return replaceFileAtomically(p, bytes).ok();
}
} // namespace

TEST(AtomicReplace, AWriteThatFailsHalfwayLeavesTheOldFileWhole) {
    TempDir dir;
    const auto target = dir / "main2.tmp";
    writeBytes(target, kOld);
    {
        FileSizeLimit limit(4096);
        ASSERT_TRUE(limit.ok());
        EXPECT_FALSE(write(target, kNew));
    }
    EXPECT_EQ(readBytes(target), kOld);
    EXPECT_EQ(entryCount(dir.path()), 1u) << "the half-written temporary file is removed";
}

TEST(AtomicReplace, ARenameThatFailsLeavesTheTargetAndNoTemporaryFile) {
    TempDir dir;
    // A folder by the target's name cannot be replaced by a file.
    const auto target = dir / "main.tmp";
    writeBytes(target / "inside", "kept");
    EXPECT_FALSE(write(target, kNew));
    EXPECT_EQ(readBytes(target / "inside"), "kept");
    EXPECT_EQ(entryCount(dir.path()), 1u);
}

TEST(AtomicReplace, LeftoversOfACrashedWriteDoNotDisturbTheNextOne) {
    TempDir dir;
    const auto target = dir / "opt.tmp";
    writeBytes(target, kOld);
    // What a crash between writing and renaming leaves: the old file and a partial copy.
    writeBytes(dir / ".opt.tmp.tmp-12345", "1,0,");
    writeBytes(dir / ".opt.tmp.new-12345", "1,0,");
    EXPECT_EQ(readBytes(target), kOld);
    EXPECT_TRUE(write(target, kNew));
    EXPECT_EQ(readBytes(target), kNew);
    EXPECT_FALSE(write(dir / "no-such-folder" / "x.tmp", kNew));
}
