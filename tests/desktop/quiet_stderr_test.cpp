// The sound libraries' own output during a device probe: dropped unless asked for, and our
// own lines after the probe still reach the terminal.
#include "platform/quiet_stderr.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace velmora {
namespace {

/// Standard error as the terminal would see it, caught into a file for the test's length.
class TerminalCapture {
  public:
    TerminalCapture() {
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        const int fd = ::open(m_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(fd, STDERR_FILENO);
        ::close(fd);
    }
    ~TerminalCapture() { restore(); }
    std::string text() {
        restore();
        std::ifstream in(m_file);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

  private:
    void restore() {
        if (m_saved < 0) return;
        std::fflush(stderr);
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        m_saved = -1;
    }
    testing::TempDir m_dir;
    std::filesystem::path m_file = m_dir / "terminal";
    int m_saved = -1;
};

void libraryNoise(const char* text) {
    // Both ways a C library writes: through stdio and straight to the descriptor.
    std::fprintf(stderr, "ALSA lib %s\n", text);
    const std::string raw = std::string("jack ") + text + "\n";
    (void)!::write(STDERR_FILENO, raw.data(), raw.size());
}

TEST(QuietStderr, ProbeOutputIsDroppedUnlessShown) {
    {
        setLibraryOutputShown(false);
        TerminalCapture terminal;
        std::fprintf(stderr, "before\n");
        {
            const QuietStderr quiet;
            libraryNoise("one");
            {
                const QuietStderr inner;
                libraryNoise("two");
            }
            libraryNoise("three");
        }
        std::fprintf(stderr, "after\n");
        EXPECT_EQ(terminal.text(), "before\nafter\n");
    }
    {
        setLibraryOutputShown(true);
        TerminalCapture terminal;
        {
            const QuietStderr quiet;
            libraryNoise("one");
        }
        std::fprintf(stderr, "after\n");
        EXPECT_EQ(terminal.text(), "ALSA lib one\njack one\nafter\n");
        setLibraryOutputShown(false);
    }
}

} // namespace
} // namespace velmora
