// The shipped schemes and the LCD presets are readable: text on its background reaches the
// contrast needed for text, in every scheme and on every display look.
#include "appearance/contrast.h"
#include "appearance/lcd_backlights.h"
#include "appearance/scheme_file.h"
#include "core/main_window/color_slots.h"
#include "core/state/main2_state.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>

namespace velmora::appearance {
namespace {

std::map<std::string, ColorScheme> factorySchemes() {
    std::map<std::string, ColorScheme> out;
    for (const auto& e : std::filesystem::directory_iterator(VELMORA_FACTORY_SCHEMES_DIR)) {
        ColorScheme s;
        EXPECT_TRUE(readSchemeFile(e.path(), s).ok()) << e.path();
        out[e.path().stem().string()] = s;
    }
    return out;
}

TEST(Contrast, MatchesTheKnownExtremes) {
    EXPECT_NEAR(contrastRatio(0xFFFFFF, 0x000000), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(0x777777, 0x777777), 1.0, 1e-9);
    // #767676 on white is the classic just-passing grey (4.54:1).
    EXPECT_NEAR(contrastRatio(0x767676, 0xFFFFFF), 4.54, 0.01);
    // Channel order matters: pure green is far lighter than pure red.
    EXPECT_GT(relativeLuminance(0x00FF00), relativeLuminance(0x0000FF));
}

TEST(FactorySchemes, EverySchemeIsReadableInLabelsButtonsTextBoxesAndItsDisplays) {
    const auto schemes = factorySchemes();
    ASSERT_GE(schemes.size(), 9u);
    int dark = 0;
    for (const auto& [name, s] : schemes) {
        const LcdColours lcd = lcdColours(s);
        const double ratios[] = {contrastRatio(s.textColor, s.backColor),
                                 contrastRatio(s.buttonText, s.buttonBack),
                                 contrastRatio(s.buttonText, s.buttonRollover),
                                 contrastRatio(s.textBoxForeground, s.textBoxBackground),
                                 contrastRatio(lcd.on, lcd.backlight)};
        std::printf("%-14s labels %5.2f  buttons %5.2f  rollover %5.2f  text boxes %5.2f  "
                    "display %5.2f\n",
                    name.c_str(), ratios[0], ratios[1], ratios[2], ratios[3], ratios[4]);
        for (const double r : ratios)
            EXPECT_GE(r, kReadableContrast) << name;
        if (relativeLuminance(s.backColor) < 0.05) ++dark;
    }
    EXPECT_GE(dark, 4);
}

TEST(FactorySchemes, DefaultIsTheMainWindowsStartUpList) {
    const auto schemes = factorySchemes();
    ASSERT_TRUE(schemes.count("Default"));
    const ColorScheme& d = schemes.at("Default");
    EXPECT_EQ(slotsFromScheme(d), state::kDefaultColorSlots);
    EXPECT_EQ(d.lineColor, 333333u);
    // A first run without any scheme file shows what "Default" shows.
    EXPECT_EQ(d, ColorScheme{});
}

TEST(LcdBacklights, EveryPresetIsReadableAndCustomShowsTheSchemesOwnColours) {
    ColorScheme s;
    for (int choice = 0; choice < kCustomBacklight; ++choice) {
        s.lcdBacklight = choice;
        const LcdColours lcd = lcdColours(s);
        EXPECT_GE(contrastRatio(lcd.on, lcd.backlight), kReadableContrast) << choice;
        // Unlit segments must not read as text.
        EXPECT_LT(contrastRatio(lcd.off, lcd.backlight), 2.0) << choice;
    }
    s.lcdBacklight = kCustomBacklight;
    s.lcdBacklightColor = 1;
    s.lcdOn = 2;
    s.lcdOff = 3;
    s.lcdBlend = 4;
    EXPECT_EQ(lcdColours(s), (LcdColours{1, 2, 3, 4}));
    EXPECT_EQ(backlightNames()[kCustomBacklight], "CUSTOM");
}

} // namespace
} // namespace velmora::appearance
