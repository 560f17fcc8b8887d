// The one path a soundscape takes into a folder and back: which fields of main.tmp start-up
// takes, bank files under names of the caller's choosing, damaged files kept aside, and
// failed writes collected instead of shown.
#include "core/state/saved_soundscape.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::state;
using velmora::testing::readBytes;
using velmora::testing::TempDir;
using velmora::testing::writeBytes;
namespace fs = std::filesystem;

namespace {

/// A bank whose file is one number; a file that is not a number is refused.
class NumberBank final : public Bank {
  public:
    NumberBank(std::string window, std::string stateFile)
        : m_window(std::move(window)), m_stateFile(std::move(stateFile)) {}
    int value = 0;
    std::string windowName() const override { return m_window; }
    void stopAll() override {}
    bool doload(const fs::path& path) override {
        try {
            value = std::stoi(readBytes(path));
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }
    bool dosave(const fs::path& path) override {
        return replaceFileAtomically(path, std::to_string(value)).ok();
    }
    std::string stateFileName() const override { return m_stateFile; }
    void docolors(const ColorScheme&) override {}

  private:
    std::string m_window, m_stateFile;
};

/// A switch whose dialog slider is a plain number.
class SliderSwitch final : public AutoRandomiseSwitch {
  public:
    int slider = 55;
    bool isOn() const override { return false; }
    void restore(bool) override {}
    int periodMinutes() const override { return 10; }
    void setPeriodMinutes(int) override {}
    int dialogSlider() const override { return slider; }
    void setDialogSlider(int value) override { slider = value; }
};

struct Fixture {
    TempDir dir;
    ProgramFolder folder{dir.path()};
    Levels levels;
    // Both spellings of a state-file name the banks use.
    NumberBank one{"frmback", "back.ini"};
    NumberBank two{"frmrandommain", "\\rand.ini"};
    SliderSwitch randomSwitch;
    int& dialogSlider = randomSwitch.slider;
    SavedSoundscape saved{levels, {{&one, &two}, &randomSwitch, nullptr}};

    MainState main;
    Main2State main2;
    RestoreReport restore() { return saved.restore(folder, main, main2); }
};

TEST(SavedSoundscape, StartTakesTheAlarmAndDialogsFromMainTmpButNotTheScenario) {
    Fixture f;
    writeBytes(f.dir / "main.tmp", "\"True\",\"Rain\",33,44,\"Slides\",\"pic.jpg\",\"Dusk\",2\r\n");
    const auto report = f.restore();
    EXPECT_FALSE(report.firstRun);
    EXPECT_TRUE(f.main.alarmOn());
    EXPECT_EQ(f.dialogSlider, 33);
    // The display says "Not Specified": no scenario is selected at start.
    EXPECT_EQ(f.main.scenarioName, "");
    // Load-previous reads these later; quit must write them back, not blank them.
    EXPECT_EQ(f.main.slideshowName, "Slides");
    EXPECT_EQ(f.main.pictureName, "pic.jpg");
    EXPECT_EQ(f.main.colorSchemeName, "Dusk");
}

TEST(SavedSoundscape, DialogSliderFieldThatDidNotConvertKeepsTheDialogsOwnValue) {
    Fixture f;
    writeBytes(f.dir / "main.tmp", "\"False\",\"\",\"abc\"\r\n");
    const auto report = f.restore();
    EXPECT_EQ(f.dialogSlider, 55);
    ASSERT_EQ(report.damagedFiles.size(), 1u);
    EXPECT_EQ(report.damagedFiles[0].filename(), "main.tmp");
}

TEST(SavedSoundscape, BankFilesGoUnderTheNamesTheCallerGives) {
    Fixture f;
    f.one.value = 11;
    f.two.value = 22;
    fs::create_directories(f.dir / "config" / "scenarios");
    const BankFileNames member = [](const Bank& b) {
        return std::string("\\config\\scenarios\\Rain") +
               (b.windowName() == "frmback" ? "1.scs" : "4.scs");
    };
    SaveReport saved;
    for (Bank* b : f.saved.links().banks)
        f.saved.saveBank(*b, f.folder, member, saved);
    EXPECT_TRUE(saved.ok());
    EXPECT_EQ(readBytes(f.dir / "config" / "scenarios" / "Rain1.scs"), "11");
    EXPECT_EQ(readBytes(f.dir / "config" / "scenarios" / "Rain4.scs"), "22");

    f.one.value = f.two.value = 0;
    RestoreReport loaded;
    f.saved.loadBanks(f.folder, member, loaded);
    EXPECT_EQ(f.one.value, 11);
    EXPECT_EQ(f.two.value, 22);
    EXPECT_FALSE(fs::exists(f.dir / "back.ini")) << "state files are not touched";
}

TEST(SavedSoundscape, StateFileNamesHaveOneLeadingSeparatorWhateverTheBankSays) {
    EXPECT_EQ(storedName("back.ini"), "\\back.ini");
    EXPECT_EQ(storedName("\\rand.ini"), "\\rand.ini");
    EXPECT_EQ(storedName("/\\bw.ini"), "\\bw.ini");
}

TEST(SavedSoundscape, DamagedFilesAreKeptAsBadCopiesAndMissingOnesAreNot) {
    Fixture f;
    writeBytes(f.dir / "back.ini", "not a number");
    writeBytes(f.dir / "main2.tmp", "\"ten\",7\r\n");
    const auto report = f.restore();
    EXPECT_TRUE(report.firstRun);
    keepDamagedCopies(report);
    EXPECT_EQ(readBytes(f.dir / "back.ini.bad"), "not a number");
    EXPECT_EQ(readBytes(f.dir / "main2.tmp.bad"), "\"ten\",7\r\n");
    EXPECT_FALSE(fs::exists(f.dir / "rand.ini.bad"));
    EXPECT_FALSE(fs::exists(f.dir / "main.tmp.bad"));
    // The field that did convert is still used.
    EXPECT_EQ(f.levels.value(Level::Background), 7);
}

TEST(SavedSoundscape, EveryFileThatCouldNotBeWrittenIsListed) {
    Fixture f;
    // A folder where a file should be: the rename over it fails, even for root.
    for (const char* name : {"main.tmp", "rand.ini"})
        fs::create_directories(f.dir / name / "x");
    const auto report = f.saved.write(f.folder, f.main, f.main2);
    ASSERT_EQ(report.failed.size(), 2u);
    EXPECT_NE(report.summary().find("main.tmp"), std::string::npos);
    EXPECT_NE(report.summary().find("rand.ini"), std::string::npos);
    EXPECT_EQ(readBytes(f.dir / "back.ini"), "0");
    EXPECT_TRUE(fs::exists(f.dir / "main2.tmp"));
}

} // namespace
