#include "platform/ascii_case.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace velmora;

TEST(AsciiCase, NamesMatchWhateverTheirCase) {
    EXPECT_TRUE(equalsIgnoringCase("Mainleft", "MainLeft"));
    EXPECT_TRUE(equalsIgnoringCase("EQ Presets", "eq presets"));
    EXPECT_FALSE(equalsIgnoringCase("Maintop", "Mainleft"));
    EXPECT_FALSE(equalsIgnoringCase("Settings2", "Settings26")) << "a prefix is not a match";
    EXPECT_FALSE(equalsIgnoringCase("a[", "A{")) << "only letters fold, not their neighbours";
    EXPECT_TRUE(endsWithIgnoringCase("Rainy night.VLM", ".vlm"));
    EXPECT_FALSE(endsWithIgnoringCase("vlm", ".vlm"));
    EXPECT_EQ(asciiLowered("Rain.WAV"), "rain.wav");
}

TEST(AsciiCase, OnlyAsciiLettersFold) {
    // The bytes of "Été" and "été" differ only in a UTF-8 continuation byte; a fold that
    // touched bytes above 0x7F would make them one name, or mangle the text.
    const std::string upperE = "\xC3\x89t\xC3\xA9";
    const std::string lowerE = "\xC3\xA9t\xC3\xA9";
    EXPECT_FALSE(equalsIgnoringCase(upperE, lowerE));
    EXPECT_EQ(asciiLowered(upperE + "X"), upperE + "x");
    EXPECT_EQ(asciiLowered("\xC0\xDE"), "\xC0\xDE");
}

TEST(AsciiCase, SortsNamesAsAUserReadsThem) {
    std::vector<std::string> names{"cedar", "Birch",      "apple",
                                   "birch", "Apple tree", "\xC3\xA9t\xC3\xA9"};
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return lessIgnoringCase(a, b);
    });
    const std::vector<std::string> expected{"apple", "Apple tree", "Birch",
                                            "birch", "cedar",      "\xC3\xA9t\xC3\xA9"};
    EXPECT_EQ(names, expected);
}
