#include "scenario_rig.h"

#include "core/state/options_state.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velmora::test {
namespace {

namespace fs = std::filesystem;

bool has(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

void changeEverything(HubRig& rig) {
    auto& w = rig.world();
    w.backgroundOne.setOn(2, false);
    w.backgroundOne.setVolume(5, 40);
    w.randomBanks.bank(1).setVolume(4, 250);
    w.randomBanks.bank(4).setFrequency(3, 200);
    rig.levels().set(Level::Background, 90);
    rig.levels().set(Level::Random, 80);
}

TEST(ScenarioFiles, SaveThenLoadRestoresEveryBankAndShowsProgress) {
    ScenarioRig s;
    shapeSoundscape(s.rig);
    s.saveAs("Rain");
    for (const auto& path : scenarios::groupFiles(s.folder(), "Rain"))
        EXPECT_TRUE(fs::exists(path)) << path;
    EXPECT_EQ(ScenarioRig::bytes(s.folder() / "Rain.vlm"), "\"Rain\"\r\n");
    EXPECT_TRUE(has(s.rig.main().scenarios().names(), "Rain"));
    const auto saved = s.bankStates();
    const int background = s.rig.levels().value(Level::Background);

    changeEverything(s.rig);
    ASSERT_NE(s.bankStates(), saved);
    s.scenarioTexts.clear();
    s.rig.main().scenarios().loadSelected();

    EXPECT_EQ(s.bankStates(), saved);
    EXPECT_EQ(s.rig.levels().value(Level::Background), background);
    // Nine banks, one dot each after "Loading.", then the name.
    const std::vector<std::string> expected = {"",
                                               "Loading.",
                                               "Loading..",
                                               "Loading...",
                                               "Loading....",
                                               "Loading.....",
                                               "Loading......",
                                               "Loading.......",
                                               "Loading........",
                                               "Loading.........",
                                               "Loading..........",
                                               "Rain"};
    EXPECT_EQ(s.scenarioTexts, expected);
    EXPECT_FALSE(s.rig.main().scenarios().isLoading());
    EXPECT_TRUE(s.dialogs().messages.empty()) << s.dialogs().lastMessage();
}

TEST(ScenarioFiles, ExistingNameAnsweredNoWritesNothing) {
    ScenarioRig s;
    s.saveAs("Rain");
    const auto before = ScenarioRig::bytes(s.member("Rain", 4));
    s.rig.world().randomBanks.bank(1).setVolume(4, 3);
    s.saveAs("Rain", false);
    EXPECT_EQ(s.dialogs().questions.back(), "A preset already exists with this name. Overwrite?");
    EXPECT_EQ(s.dialogs().lastMessage(), "Not saved");
    EXPECT_EQ(ScenarioRig::bytes(s.member("Rain", 4)), before);
    // Yes overwrites.
    s.saveAs("Rain", true);
    EXPECT_NE(ScenarioRig::bytes(s.member("Rain", 4)), before);
}

TEST(ScenarioFiles, MissingRequiredMemberFailsAndChangesNoBank) {
    ScenarioRig s;
    s.saveAs("Rain");
    fs::remove(s.member("Rain", 3));
    changeEverything(s.rig);
    const auto now = s.bankStates();
    const int random = s.rig.levels().value(Level::Random);
    s.rig.main().scenarios().loadSelected();
    EXPECT_EQ(s.scenarioTexts.back(), "Load error");
    EXPECT_EQ(s.bankStates(), now);
    EXPECT_EQ(s.rig.levels().value(Level::Random), random);
    EXPECT_FALSE(s.rig.main().scenarios().isLoading());
    // The scheduler's load of the same says so in its own words.
    EXPECT_FALSE(s.files->loadScenarioFile(s.folder() / "Rain.vlm", ScenarioLoadMode::Auto));
    EXPECT_EQ(s.scenarioTexts.back(), "Autoload error");
}

TEST(ScenarioFiles, VolumesFollowTheOption) {
    ScenarioRig s;
    s.rig.levels().set(Level::Random, 12);
    s.rig.levels().set(Level::Mp3, 1000);
    s.saveAs("Calm");
    s.rig.levels().set(Level::Random, 3);
    s.rig.levels().set(Level::Mp3, 4000);

    state::OptionsState off;
    off.volumesOnScenarioLoad = false;
    ASSERT_TRUE(state::writeOptionsState(s.rig.file("opt.tmp"), off).ok());
    s.rig.main().scenarios().loadSelected();
    EXPECT_EQ(s.rig.levels().value(Level::Random), 3);
    EXPECT_EQ(s.rig.levels().value(Level::Mp3), 4000);

    fs::remove(s.rig.file("opt.tmp"));
    s.rig.main().scenarios().loadSelected();
    EXPECT_EQ(s.rig.levels().value(Level::Random), 12);
    EXPECT_EQ(s.rig.levels().value(Level::Mp3), 1000);
}

TEST(ScenarioFiles, AutoLoadFromAnotherFolderReadsMembersBesideTheGroupFile) {
    ScenarioRig s;
    shapeSoundscape(s.rig);
    s.saveAs("Storm");
    const auto saved = s.bankStates();
    const fs::path elsewhere = s.rig.file("shared");
    fs::create_directories(elsewhere);
    for (const auto& path : scenarios::groupFiles(s.folder(), "Storm"))
        fs::rename(path, elsewhere / path.filename());
    changeEverything(s.rig);

    EXPECT_TRUE(s.files->loadScenarioFile(elsewhere / "Storm.vlm", ScenarioLoadMode::Auto));
    EXPECT_EQ(s.bankStates(), saved);
    const auto& t = s.scenarioTexts;
    ASSERT_GE(t.size(), 2u);
    EXPECT_EQ(t[t.size() - 2], "Scenario Autochanged");
    EXPECT_EQ(t.back(), "Storm");
}

TEST(ScenarioFiles, NamesThatLeaveTheFolderAreRefusedBeforeAnythingIsWritten) {
    ScenarioRig s;
    for (const std::string name : {"../escape", "a/b", "back\\slash", "tab\there", ".."}) {
        s.dialogs().inputs.push_back(name);
        s.files->saveAs();
        EXPECT_NE(s.dialogs().lastMessage().find("Nothing was saved"), std::string::npos) << name;
    }
    // Blank answers end the command silently.
    const auto shown = s.dialogs().messages.size();
    s.dialogs().inputs.push_back("   ");
    s.files->saveAs();
    EXPECT_EQ(s.dialogs().messages.size(), shown);
    EXPECT_FALSE(fs::exists(s.rig.file("config/escape.vlm")));
    EXPECT_FALSE(fs::exists(s.folder()) && !fs::is_empty(s.folder()));

    s.rig.main().scenarios().select("../../back");
    s.rig.main().scenarios().loadSelected();
    EXPECT_EQ(s.scenarioTexts.back(), "Load error");
}

TEST(ScenarioFiles, FailedWritesAreReportedOnceAndTheRestIsWritten) {
    ScenarioRig s;
    // A folder where a member belongs cannot be replaced by a file, even by root.
    fs::create_directories(s.member("Rain", 8) / "in the way");
    s.saveAs("Rain");
    ASSERT_EQ(s.dialogs().messages.size(), 1u);
    const std::string message = s.dialogs().lastMessage();
    EXPECT_NE(message.find("\"Rain\""), std::string::npos);
    EXPECT_NE(message.find("Rain8.scs"), std::string::npos);
    for (int m : {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12})
        EXPECT_TRUE(fs::is_regular_file(s.member("Rain", m))) << m;
}

TEST(ScenarioFiles, DeleteRemovesAllThirteenAndReportsWhatStays) {
    ScenarioRig s;
    s.saveAs("Rain");
    s.saveAs("Snow");
    fs::remove(s.member("Rain", 7));
    fs::remove(s.member("Rain", 11));
    s.rig.main().scenarios().select("Rain");
    s.dialogs().questionAnswers.push_back(false);
    s.files->deleteSelected();
    EXPECT_TRUE(fs::exists(s.folder() / "Rain.vlm"));
    EXPECT_EQ(s.dialogs().questions.back(),
              "This will delete the scenario - Rain .Do you wish to continue?");

    s.dialogs().questionAnswers.push_back(true);
    s.files->deleteSelected();
    for (const auto& path : scenarios::groupFiles(s.folder(), "Rain"))
        EXPECT_FALSE(fs::exists(path)) << path;
    EXPECT_FALSE(has(s.rig.main().scenarios().names(), "Rain"));
    EXPECT_TRUE(has(s.rig.main().scenarios().names(), "Snow"));
    EXPECT_TRUE(s.dialogs().messages.empty()) << s.dialogs().lastMessage();

    // A member that cannot be removed is named; the others go.
    fs::remove(s.member("Snow", 2));
    fs::create_directories(s.member("Snow", 2) / "in the way");
    s.rig.main().scenarios().select("Snow");
    s.dialogs().questionAnswers.push_back(true);
    s.files->deleteSelected();
    EXPECT_NE(s.dialogs().lastMessage().find("Snow2.scs"), std::string::npos);
    EXPECT_FALSE(fs::exists(s.folder() / "Snow.vlm"));

    s.files->deleteSelected();
    EXPECT_EQ(s.dialogs().lastMessage(),
              "Please select the scenario you wish to delete from the list to the left.");
}

TEST(ScenarioFiles, SaveOverAsksAndLoadPreviousRestoresTheLastQuit) {
    ScenarioRig s;
    s.files->saveOver();
    EXPECT_EQ(s.dialogs().lastMessage(),
              "There is no scenario currently selected. Please use the 'save as' option.");
    s.saveAs("Rain");
    const auto before = ScenarioRig::bytes(s.member("Rain", 1));
    s.rig.world().backgroundOne.setVolume(5, 11);
    s.dialogs().questionAnswers.push_back(false);
    s.files->saveOver();
    EXPECT_EQ(s.dialogs().questions.back(), "This will overwrite the scenario - Rain. Continue?");
    EXPECT_EQ(ScenarioRig::bytes(s.member("Rain", 1)), before);
    s.dialogs().questionAnswers.push_back(true);
    s.files->saveOver();
    EXPECT_NE(ScenarioRig::bytes(s.member("Rain", 1)), before);

    s.rig.main().saveState();
    const auto quitState = s.bankStates();
    changeEverything(s.rig);
    s.files->loadPrevious();
    EXPECT_EQ(s.bankStates(), quitState);
    EXPECT_EQ(s.scenarioTexts.back(), "Loading previous");

    ScenarioRig::write(s.rig.file("rand.ini"), "not a bank file");
    s.files->loadPrevious();
    EXPECT_EQ(s.scenarioTexts.back(), "Recall error");
}

TEST(ScenarioFiles, MembersFromAnotherBankOrGarbageNeverCrashAndAreRefused) {
    ScenarioRig s;
    s.saveAs("Odd");
    const auto random = ScenarioRig::bytes(s.member("Odd", 4));
    // A random bank's 60 numbers where the bw bank's 52 go read as a bw file, every value
    // limited to its control: odd, but whole.
    ScenarioRig::write(s.member("Odd", 5), random);
    s.rig.main().scenarios().loadSelected();
    EXPECT_FALSE(s.rig.main().scenarios().isLoading());
    s.saveAs("Odd");
    const std::vector<std::pair<int, std::string>> cases = {
        {1, std::string(5000, '\x07')},                             // binary
        {6, "1,2,3"},                                               // short main member
        {6, "\"x\",2,3,4,\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\""}, // not a number
        {12, std::string(5 << 20, '9')},                            // huge
    };
    for (const auto& [member, text] : cases) {
        const auto good = ScenarioRig::bytes(s.member("Odd", member));
        ScenarioRig::write(s.member("Odd", member), text);
        s.rig.main().scenarios().loadSelected();
        EXPECT_EQ(s.scenarioTexts.back(), "Load error") << member;
        EXPECT_FALSE(s.rig.main().scenarios().isLoading());
        ScenarioRig::write(s.member("Odd", member), good);
    }
    s.rig.main().scenarios().loadSelected();
    EXPECT_EQ(s.scenarioTexts.back(), "Odd");
}

} // namespace
} // namespace velmora::test
