// The scheme editor's commands over a real scheme folder, with scripted answers.
#include "appearance/scheme_editor.h"
#include "appearance/scheme_file.h"
#include "core/offline_services.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace velmora::appearance {
namespace {

using testing::entryCount;
using testing::readBytes;

ColorScheme withBack(std::uint32_t back) {
    ColorScheme s;
    s.backColor = back;
    return s;
}

struct EditorRig : testing::OwnsTempDir {
    OfflineServices offline{m_temp.path()};
    SchemeEditor editor{offline.services};
    std::vector<ColorScheme> applied;

    EditorRig() {
        for (const auto& [name, back] : {std::pair{"Alpha", 0x0000A1u},
                                         {"beta", 0x0000B2u},
                                         {"Gamma", 0x0000C3u},
                                         {"Default", 0xFFFFFFu}})
            EXPECT_TRUE(writeSchemeFile(file(name), withBack(back)).ok());
        editor.setApplyAll([this](const ColorScheme& s) { applied.push_back(s); });
        editor.load(ColorScheme{});
    }
    std::filesystem::path dir() const { return m_temp / "config" / "colors"; }
    std::filesystem::path file(const std::string& name) const {
        std::filesystem::create_directories(dir());
        return dir() / (name + ".clr");
    }
    ScriptedDialogs& dialogs() { return offline.dialogs; }
};

TEST(SchemeEditor, ListsSchemesAndStepsThroughThemWrappingAfterTheLast) {
    EditorRig rig;
    EXPECT_EQ(rig.editor.names(), (std::vector<std::string>{"Alpha", "beta", "Default", "Gamma"}));
    rig.editor.next(); // nothing selected: the first
    EXPECT_EQ(rig.editor.schemeBox(), "Alpha");
    EXPECT_EQ(rig.editor.scheme().backColor, 0x0000A1u);
    rig.editor.previous(); // at the first: nothing happens
    EXPECT_EQ(rig.editor.schemeBox(), "Alpha");
    rig.editor.choose("Gamma");
    rig.editor.next();
    EXPECT_EQ(rig.editor.schemeBox(), "Alpha");
    rig.editor.choose("Missing"); // no file: nothing changes
    EXPECT_EQ(rig.editor.schemeBox(), "Alpha");
    EXPECT_TRUE(rig.applied.empty()); // choosing shows the scheme in the editor only
    rig.editor.apply();
    ASSERT_EQ(rig.applied.size(), 1u);
    EXPECT_EQ(rig.applied.back().backColor, 0x0000A1u);
}

TEST(SchemeEditor, SaveAndDeleteWithNothingSelectedSaySoAndTouchNoFile) {
    EditorRig rig;
    const auto before = entryCount(rig.dir());
    rig.editor.save();
    EXPECT_EQ(rig.dialogs().lastMessage(),
              "There is no scheme selected. Please use the 'save as' option");
    rig.editor.remove();
    EXPECT_NE(rig.dialogs().lastMessage().find("no scheme selected"), std::string::npos);
    EXPECT_TRUE(rig.dialogs().questions.empty());
    EXPECT_EQ(entryCount(rig.dir()), before);
    EXPECT_EQ(rig.editor.names().size(), 4u);
}

TEST(SchemeEditor, SaveAsAsksBeforeOverwritingAndRefusesNamesLeavingTheFolder) {
    EditorRig rig;
    rig.editor.setElement(8, 0x0000EE);
    const std::string beta = readBytes(rig.file("beta"));

    // Answers are consumed in order: the overwrite, the bad names, then a good one.
    const std::vector<std::string> bad = {"../escape", "a/b",       "a\\b",  "..",
                                          "   ",       "tab\there", "bell\a"};
    rig.dialogs().inputs.push_back(std::string("beta"));
    for (const auto& name : bad)
        rig.dialogs().inputs.push_back(name);
    rig.dialogs().inputs.push_back(std::string("  Night  "));

    rig.editor.saveAs(); // scripted answer: No
    EXPECT_EQ(rig.dialogs().questions.back(), "A preset already exists with this name. Overwrite?");
    EXPECT_EQ(rig.dialogs().lastMessage(), "Not saved");
    EXPECT_EQ(readBytes(rig.file("beta")), beta);

    const auto before = entryCount(rig.dir());
    const auto outside = entryCount(rig.m_temp.path() / "config");
    for (const auto& name : bad) {
        rig.editor.saveAs();
        EXPECT_NE(rig.dialogs().lastMessage().find("cannot"), std::string::npos) << name;
    }
    EXPECT_EQ(entryCount(rig.dir()), before);
    EXPECT_EQ(entryCount(rig.m_temp.path() / "config"), outside);

    rig.editor.saveAs();
    EXPECT_EQ(rig.editor.schemeBox(), "Night");
    ColorScheme read;
    ASSERT_TRUE(readSchemeFile(rig.file("Night"), read).ok());
    EXPECT_EQ(read.backColor, 0x0000EEu);
    EXPECT_EQ(rig.editor.names().size(), 5u);
}

TEST(SchemeEditor, SaveOverwritesOnlyOnYesAndDeleteEmptiesTheBox) {
    EditorRig rig;
    rig.editor.choose("beta");
    rig.editor.setElement(10, 0x00FF00);
    rig.dialogs().questionAnswers = {false, true, true};
    rig.editor.save();
    EXPECT_EQ(rig.dialogs().questions.back(),
              "This will overwrite the color profile - beta. Continue?");
    ColorScheme read;
    ASSERT_TRUE(readSchemeFile(rig.file("beta"), read).ok());
    EXPECT_EQ(read.textColor, ColorScheme{}.textColor);
    rig.editor.save();
    ASSERT_TRUE(readSchemeFile(rig.file("beta"), read).ok());
    EXPECT_EQ(read.textColor, 0x00FF00u);

    rig.editor.remove();
    EXPECT_EQ(rig.dialogs().questions.back(), "This will delete the preset - beta. Continue?");
    EXPECT_FALSE(std::filesystem::exists(rig.file("beta")));
    EXPECT_EQ(rig.editor.schemeBox(), kNoSchemeSelected);
    EXPECT_EQ(rig.editor.names().size(), 3u);
}

TEST(SchemeEditor, ADamagedSchemeIsRefusedWholeWithAMessage) {
    EditorRig rig;
    rig.editor.choose("Alpha");
    testing::writeBytes(rig.file("beta"), "\"1\",\"2\",\"3\",\"4\",0,1,2,3\r\n");
    rig.editor.choose("beta");
    EXPECT_NE(rig.dialogs().lastMessage().find("damaged"), std::string::npos);
    EXPECT_EQ(rig.editor.schemeBox(), "Alpha");
    EXPECT_EQ(rig.editor.scheme(), withBack(0x0000A1));
    EXPECT_FALSE(rig.editor.doload(rig.file("beta")).ok());
    EXPECT_TRUE(rig.applied.empty());
}

TEST(SchemeEditor, PreviousTmpUndoesAVisitAndColorsTmpCarriesTheLcdToTheNextRun) {
    EditorRig rig;
    rig.editor.choose("Gamma");
    rig.editor.activate();
    rig.editor.setElement(8, 0x123456);
    rig.editor.setBacklight(10);
    rig.editor.setElement(2, 0x00AA00);
    EXPECT_TRUE(rig.editor.customLcd());
    rig.editor.restorePrevious();
    EXPECT_EQ(rig.editor.scheme(), withBack(0x0000C3));

    rig.editor.setBacklight(10);
    rig.editor.setElement(2, 0x00AA00);
    rig.editor.apply();
    rig.editor.setElement(2, 0x0000BB); // never applied: not carried to the next run
    ASSERT_TRUE(rig.editor.unload());
    SchemeEditor again(rig.offline.services);
    again.load(withBack(0x777777));
    EXPECT_EQ(again.schemeBox(), "Gamma");
    EXPECT_EQ(again.scheme().lcdBacklight, 10);
    EXPECT_EQ(again.scheme().lcdOn, 0x00AA00u);
    EXPECT_EQ(again.scheme().backColor, 0x777777u); // window colours come from the windows

    // The scenario member file: what dosave writes, doload applies everywhere.
    const auto member = rig.m_temp / "scn9.scs";
    ASSERT_TRUE(again.dosave(member).ok());
    ASSERT_TRUE(rig.editor.doload(member).ok());
    ASSERT_EQ(rig.applied.size(), 2u);
    EXPECT_EQ(rig.applied.back(), again.scheme());
}

} // namespace
} // namespace velmora::appearance
