#include "platform/atomic_file.h"
#include "platform/program_folder.h"
#include "platform/typed_name.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace velmora;
using velmora::testing::readBytes;
using velmora::testing::TempDir;
using velmora::testing::writeBytes;
namespace fs = std::filesystem;

namespace {
// An installed tree: the program file, factory sounds, a config folder and a data file.
fs::path makeInstall(const fs::path& root) {
    writeBytes(root / "bin" / "1.isz", "factory sound");
    writeBytes(root / "config" / "EQ Presets" / "flat.eqf", "eq");
    writeBytes(root / "rand.ini", "defaults");
    const auto exe = root / "velmora";
    writeBytes(exe, "\x7f"
                    "ELF");
    fs::permissions(exe, fs::perms::owner_all);
    return exe;
}
} // namespace

TEST(ProgramFolder, WritableInstallIsUsedInPlace) {
    TempDir dir;
    const auto exe = makeInstall(dir / "install");
    EXPECT_EQ(ProgramFolder::choose(exe, dir / "data", true).root(), dir / "install");
    EXPECT_FALSE(fs::exists(dir / "data" / "velmora"));
    // The real check, on a folder the test can write: the same answer.
    EXPECT_EQ(fs::weakly_canonical(ProgramFolder::forExecutable(exe).root()),
              fs::weakly_canonical(dir / "install"));
}

TEST(ProgramFolder, ReadOnlyInstallGetsAPerUserCopyThatKeepsTheUsersChanges) {
    TempDir dir;
    const auto exe = makeInstall(dir / "install");
    const auto folder = ProgramFolder::choose(exe, dir / "data", false);
    const auto user = dir / "data" / "velmora";
    ASSERT_EQ(folder.root(), user);
    EXPECT_EQ(readBytes(user / "bin" / "1.isz"), "factory sound");
    EXPECT_EQ(readBytes(user / "rand.ini"), "defaults");
    EXPECT_FALSE(fs::exists(user / "velmora")) << "the program file is not data";
    // Helper programs stay beside the executable; the copy holds data only.
    EXPECT_EQ(folder.resolveProgram("\\recorder"), dir / "install" / "recorder");

    // The factory files are linked, not copied: no second 100 MB per user.
    EXPECT_TRUE(fs::is_symlink(user / "bin" / "1.isz"));

    // The user saves over a file (as every save does, by replacing it); a later install
    // adds one and changes another. A restart keeps the user's file, picks up the new one,
    // and the installed tree was never written through the link.
    ASSERT_TRUE(replaceFileAtomically(user / "rand.ini", "mine").ok());
    writeBytes(dir / "install" / "bin" / "2.isz", "new factory sound");
    writeBytes(dir / "install" / "bin" / "1.isz", "better factory sound");
    (void)ProgramFolder::choose(exe, dir / "data", false);
    EXPECT_EQ(readBytes(user / "rand.ini"), "mine");
    EXPECT_EQ(readBytes(dir / "install" / "rand.ini"), "defaults");
    EXPECT_EQ(readBytes(user / "bin" / "2.isz"), "new factory sound");
    EXPECT_EQ(readBytes(user / "bin" / "1.isz"), "better factory sound");
}

TEST(ProgramFolder, NoPlaceForAPerUserCopyFallsBackToTheInstall) {
    TempDir dir;
    const auto exe = makeInstall(dir / "install");
    writeBytes(dir / "notafolder", "x");
    EXPECT_EQ(ProgramFolder::choose(exe, dir / "notafolder", false).root(), dir / "install");
}

TEST(ProgramFolder, StoredPathsResolveWithoutRegardToCase) {
    TempDir dir;
    makeInstall(dir.path());
    const ProgramFolder folder(dir.path());
    EXPECT_EQ(folder.resolve("\\config\\eq presets\\FLAT.EQF"),
              dir / "config" / "EQ Presets" / "flat.eqf");
    EXPECT_EQ(folder.resolve("\\BIN\\1.isz"), dir / "bin" / "1.isz");
    // Missing parts keep the spelling given, so a file can be created there.
    EXPECT_EQ(folder.resolve("\\config\\scenarios\\New.vlm"),
              dir / "config" / "scenarios" / "New.vlm");
    EXPECT_EQ(folder.relativeForm(dir / "bin" / "1.isz"), "\\bin\\1.isz");
    EXPECT_EQ(folder.relativeForm(dir.path().parent_path() / "elsewhere"), "");
}

TEST(ProgramFolder, PackagedFolderIsReadOnlyEvenForRoot) {
    EXPECT_TRUE(isSystemInstallation("/usr/lib/velmora"));
    EXPECT_TRUE(isSystemInstallation("/usr/local/lib/velmora"));
    EXPECT_FALSE(isSystemInstallation("/home/me/velmora"));
    EXPECT_FALSE(isSystemInstallation("/usrdata/velmora"));
}

TEST(TypedName, NamesThatWouldLeaveTheirFolderAreRefusedForOneReasonEach) {
    EXPECT_EQ(typedNameProblem("Rain at dusk"), NameProblem::None);
    EXPECT_EQ(typedNameProblem("v1.2 night"), NameProblem::None);
    EXPECT_EQ(typedNameProblem(" \t "), NameProblem::Empty);
    EXPECT_EQ(typedNameProblem("rain\nnight"), NameProblem::ControlCharacter);
    EXPECT_EQ(typedNameProblem("../rain"), NameProblem::PathSeparator);
    EXPECT_EQ(typedNameProblem("a\\b"), NameProblem::PathSeparator);
    EXPECT_EQ(typedNameProblem(" . "), NameProblem::Dots);
    EXPECT_EQ(typedNameProblem("rain..night"), NameProblem::Dots);
    EXPECT_EQ(trimmedName("  Rain at dusk\t"), "Rain at dusk");
}
