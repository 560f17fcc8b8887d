// A save that cannot be written - a full disk, a folder that turned read-only - keeps every
// old file whole and tells the user once, naming each file that was not written: in one
// message when someone is there to read it, in last-save-error.txt when nobody is.
#include "reliability/reliability_rig.h"
#include "reliability/saved_folder.h"
#include "support/temp_dir.h"

#include "core/state/save_error_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace velmora::reliability {
namespace {

/// A folder with one complete save in it, the files as a second session finds them when
/// it starts saving (bank files the user saved on the way included), and as it leaves them.
struct Saved {
    testing::TempDir dir;
    SavedFolder before, atSaving, after;

    Saved() {
        populateProgramFolder(dir.path());
        (void)changeAndSave(dir.path(), 11);
        before = SavedFolder::read(dir.path());
        (void)changeAndSave(dir.path(), 23, false, {},
                            [&] { atSaving = SavedFolder::read(dir.path()); });
        after = SavedFolder::read(dir.path());
        before.restore(dir.path());
    }

    /// The state files the quit would have changed but did not (bank files of the user's
    /// own are reported by the bank windows, not by the quit).
    [[nodiscard]] std::vector<std::string> unwrittenStateFiles() const {
        const auto now = SavedFolder::read(dir.path());
        std::vector<std::string> out;
        for (const auto& [name, bytes] : now.files)
            if (fs::path(name).parent_path().empty() && after.files.count(name) &&
                after.files.at(name) != bytes)
                out.push_back(name);
        return out;
    }
};

/// The child's messages, one a line.
std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
        out.push_back(text.substr(at, end - at));
    return out;
}

void sendMessages(int pipe, const SaveOutcome& outcome) {
    for (const auto& m : outcome.messages)
        tellParent(pipe, m + "\n");
}

/// Makes a folder unwritable for the process that calls it: root writes through permission
/// bits, so a root child becomes nobody first.
void loseWriteAccess() {
    if (::geteuid() == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
    }
}

TEST(SaveFailure, FullDiskKeepsOldFilesAndOneMessageNamesEveryFileNotWritten) {
    Saved saved;
    // A size limit between the smallest and the largest state file: the small ones still
    // fit, the large ones find the disk full part way through.
    std::vector<std::size_t> sizes;
    for (const auto& [name, bytes] : saved.after.files)
        sizes.push_back(bytes.size());
    std::sort(sizes.begin(), sizes.end());
    const rlim_t limit = sizes[sizes.size() / 2];

    const auto run = runInChild([&](int pipe) {
        std::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG
        const rlimit r{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &r);
        sendMessages(pipe, changeAndSave(saved.dir.path(), 23, true));
    });
    ASSERT_TRUE(WIFEXITED(run.status)) << run.status;

    const auto now = SavedFolder::read(saved.dir.path());
    // A bank file the user saved on the way may have met the full disk already.
    for (const auto& m : mixedFiles(now, {&saved.before, &saved.atSaving, &saved.after}))
        ADD_FAILURE() << m;
    EXPECT_TRUE(leftoverTemporaries(saved.dir.path(), false).empty());
    const auto unwritten = saved.unwrittenStateFiles();
    ASSERT_FALSE(unwritten.empty()) << "the limit let every file through";
    const auto messages = lines(run.output);
    ASSERT_EQ(messages.size(), 1u) << run.output;
    for (const auto& name : unwritten)
        EXPECT_NE(messages[0].find(name), std::string::npos) << name << " not named";
}

TEST(SaveFailure, ReadOnlyFolderKeepsEverythingAndTellsOnceEitherWay) {
    for (const bool interactive : {true, false}) {
        SCOPED_TRACE(interactive ? "interactive quit" : "quit nobody can answer");
        Saved saved;
        testing::TempDir log;
        fs::permissions(log.path(), fs::perms::all);
        fs::permissions(saved.dir.path(), fs::perms::owner_all, fs::perm_options::remove);
        fs::permissions(saved.dir.path(), fs::perms::owner_read | fs::perms::owner_exec,
                        fs::perm_options::add);
        const auto bankFiles = saved.dir / "bank files";
        fs::permissions(bankFiles, fs::perms::owner_write, fs::perm_options::remove);
        const auto run = runInChild([&](int pipe) {
            loseWriteAccess();
            sendMessages(pipe, changeAndSave(saved.dir.path(), 23, interactive, log.path()));
        });
        fs::permissions(saved.dir.path(), fs::perms::owner_all, fs::perm_options::add);
        fs::permissions(bankFiles, fs::perms::owner_write, fs::perm_options::add);
        ASSERT_TRUE(WIFEXITED(run.status)) << run.status;

        EXPECT_EQ(SavedFolder::read(saved.dir.path()).files, saved.before.files);
        EXPECT_TRUE(leftoverTemporaries(saved.dir.path(), false).empty());
        const auto unwritten = saved.unwrittenStateFiles();
        ASSERT_GE(unwritten.size(), 5u);
        const auto messages = lines(run.output);
        const auto logged = testing::readBytes(log / state::kSaveErrorFile);
        // Either way the error log keeps the failure for the next start to find.
        ASSERT_EQ(lines(logged).size(), 1u) << logged;
        ASSERT_EQ(messages.size(), interactive ? 1u : 0u) << run.output;
        for (const auto& name : unwritten) {
            EXPECT_NE(logged.find(name), std::string::npos) << name << " not logged";
            if (interactive) {
                EXPECT_NE(messages[0].find(name), std::string::npos) << name << " not named";
            }
        }
    }
}

} // namespace
} // namespace velmora::reliability
