// The scheme files: 16-field .clr, colors.tmp, and the editor's element numbers.
#include "appearance/color_elements.h"
#include "appearance/scheme_file.h"

#include <gtest/gtest.h>

namespace velmora::appearance {
namespace {

// Every field holds a different value, so a swapped pair cannot pass.
constexpr const char* kFile = "\"1\",\"2\",\"3\",\"4\",10,6,7,8,9,\"10\",\"11\",\"12\",\"13\","
                              "\"14\",\"15\",\"16\"\r\n";

TEST(SchemeFile, SixteenFieldsLandInTheirColoursAndWriteBackByteForByte) {
    ColorScheme s;
    ASSERT_TRUE(parseSchemeFile(kFile, s).ok());
    EXPECT_EQ(s.startGradient, 1u);
    EXPECT_EQ(s.endGradient, 2u);
    EXPECT_EQ(s.activeColor, 3u);
    EXPECT_EQ(s.backColor, 4u);
    EXPECT_EQ(s.lcdBacklight, 10);
    EXPECT_EQ(s.lcdBacklightColor, 6u);
    EXPECT_EQ(s.lcdOn, 7u);
    EXPECT_EQ(s.lcdOff, 8u);
    EXPECT_EQ(s.lcdBlend, 9u);
    EXPECT_EQ(s.buttonBack, 10u);
    EXPECT_EQ(s.buttonText, 11u);
    EXPECT_EQ(s.textColor, 12u);
    EXPECT_EQ(s.textBoxBackground, 13u);
    EXPECT_EQ(s.textBoxForeground, 14u);
    EXPECT_EQ(s.buttonRollover, 15u);
    EXPECT_EQ(s.lineColor, 16u);
    EXPECT_EQ(schemeFileBytes(s), kFile);
}

TEST(SchemeFile, DamagedFilesAreRefusedWholeAndLeaveTheSchemeAsItWas) {
    ColorScheme before;
    before.backColor = 0x123456;
    const std::string good = kFile;
    const std::string cases[] = {
        "",
        "\"1\",\"2\",\"3\"\r\n",                      // short
        good.substr(0, good.rfind(',')) + "\r\n",     // 15 fields
        "\"x\"" + good.substr(3),                     // first colour not a number
        good.substr(0, good.size() - 6) + "-1\"\r\n", // last colour out of range
        "\"1\",\"2\",\"3\",\"4\",11,6,7,8,9,\"10\",\"11\",\"12\",\"13\",\"14\",\"15\",\"16\"",
        std::string("\0\xff\x01,,\"", 6),
    };
    for (const auto& bytes : cases) {
        ColorScheme s = before;
        EXPECT_FALSE(parseSchemeFile(bytes, s).ok()) << bytes;
        EXPECT_EQ(s, before) << bytes;
    }
    // Extra fields after the sixteenth are ignored, not a reason to refuse.
    ColorScheme s = before;
    EXPECT_TRUE(parseSchemeFile(good.substr(0, good.size() - 2) + ",\"99\"\r\n", s).ok());
    EXPECT_EQ(s.lineColor, 16u);
}

TEST(EditorStateFile, EightFieldsRoundTripAndAShortFileChangesNothing) {
    const std::string bytes = "10,1,2,3,4,\"5\",\"6\",\"Deep, Ocean\"\r\n";
    EditorState state;
    ASSERT_TRUE(parseEditorState(bytes, state).ok());
    EXPECT_EQ(state, (EditorState{10, 1, 2, 3, 4, 5, 6, "Deep, Ocean"}));
    EXPECT_EQ(editorStateBytes(state), bytes);

    EditorState kept = state;
    EXPECT_FALSE(parseEditorState("3,1,2,3,4,\"5\",\"6\"\r\n", kept).ok());
    EXPECT_FALSE(parseEditorState("3,1,2,3,4,\"5\",\"green\",\"x\"\r\n", kept).ok());
    EXPECT_EQ(kept, state);
}

TEST(ColorElements, NumbersFollowTheEditorNotTheFileOrder) {
    ColorScheme s;
    EXPECT_TRUE(setElementColour(s, 3, 0x030303));
    EXPECT_TRUE(setElementColour(s, 4, 0x040404));
    EXPECT_EQ(s.lcdBlend, 0x030303u);
    EXPECT_EQ(s.lcdOff, 0x040404u);
    EXPECT_EQ(elementLabel(3), "Blend");
    EXPECT_EQ(elementLabel(4), "LCD Off");

    // Every element reaches a colour of its own: setting all 15 leaves 15 distinct values.
    for (int n = 1; n <= 15; ++n)
        ASSERT_TRUE(setElementColour(s, n, static_cast<std::uint32_t>(0x100 * n)));
    EXPECT_EQ(s.startGradient, 0xE00u);
    EXPECT_EQ(s.endGradient, 0xF00u);
    EXPECT_EQ(s.backColor, 0x800u);
    EXPECT_EQ(s.textColor, 0xA00u);
    EXPECT_EQ(s.buttonRollover, 0x700u);

    const ColorScheme before = s;
    EXPECT_FALSE(setElementColour(s, 0, 1));
    EXPECT_FALSE(setElementColour(s, 16, 1));
    EXPECT_FALSE(elementColour(s, 16).has_value());
    EXPECT_EQ(s, before);
}

} // namespace
} // namespace velmora::appearance
