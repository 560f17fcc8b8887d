// The sliders' mapping to the engine and the effects files: presets, effects.tmp and the
// effects record, good and bad.
#include "core/files/text_record.h"
#include "effects/effect_presets.h"
#include "effects/effects_record.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace velmora::effects {
namespace {

TEST(EffectSliders, InitialPositionsGiveTheStartingRoomAndEveryPositionIsValid) {
    const auto p = reverbParams(initialReverbValues());
    EXPECT_EQ(p.reflections, -2602);
    EXPECT_EQ(p.room, -1000);
    EXPECT_EQ(p.roomHF, 0);
    EXPECT_FLOAT_EQ(p.roomRolloffFactor, 0.0f); // the starting position keeps no roll-off
    EXPECT_FLOAT_EQ(p.decayTime, 0.2f);
    EXPECT_EQ(p.reverb, 11);

    // Both ends of every slider land inside what the engine accepts, so it never clamps.
    for (int i = 0; i < kReverbSliderCount; ++i) {
        for (int end : {reverbRanges()[i].min, reverbRanges()[i].max}) {
            auto v = initialReverbValues();
            v[i] = end;
            const auto q = reverbParams(v);
            EXPECT_TRUE(q.room >= -10000 && q.room <= 0 && q.roomHF >= -10000 && q.roomHF <= 0);
            EXPECT_TRUE(q.roomRolloffFactor >= 0 && q.roomRolloffFactor <= 10);
            EXPECT_TRUE(q.decayTime >= 0.1f && q.decayTime <= 20 && q.decayHFRatio >= 0.1f &&
                        q.decayHFRatio <= 2);
            EXPECT_TRUE(q.reflections >= -10000 && q.reflections <= 1000 &&
                        q.reflectionsDelay >= 0 && q.reflectionsDelay <= 0.3f);
            EXPECT_TRUE(q.reverb >= -10000 && q.reverb <= 2000 && q.reverbDelay >= 0 &&
                        q.reverbDelay <= 0.1f);
            EXPECT_TRUE(q.diffusion >= 0 && q.diffusion <= 100 && q.density >= 0 &&
                        q.density <= 100 && q.hfReference >= 20 && q.hfReference <= 20000)
                << "slider " << i << " at " << end;
        }
    }
    // Roll-off spans the engine's whole range over the slider's travel.
    auto v = initialReverbValues();
    v[kRollOff] = 0;
    EXPECT_FLOAT_EQ(reverbParams(v).roomRolloffFactor, 10.0f);
    v[kRollOff] = 7;
    EXPECT_FLOAT_EQ(reverbParams(v).roomRolloffFactor, 3.0f);
}

TEST(EffectPresets, ReadValuesLimitingThoseOutOfRange) {
    auto eq = parsePreset("15,0,30,20,15,15,15,15,15,9\r\n", PresetKind::Equaliser);
    ASSERT_TRUE(eq.result.ok());
    EXPECT_EQ(eq.values, (std::vector<int>{15, 0, 30, 20, 15, 15, 15, 15, 15, 9}));
    EXPECT_FALSE(eq.adjusted);

    auto loud = parsePreset("99,-4,15,15,15,15,15,15,15,15", PresetKind::Equaliser);
    ASSERT_TRUE(loud.result.ok());
    EXPECT_EQ(loud.values[0], 30);
    EXPECT_EQ(loud.values[1], 0);
    EXPECT_TRUE(loud.adjusted);

    // Reverb delays beyond the engine's are brought back to the end of the slider.
    auto rv = parsePreset("9000,10000,83,83,10,83,20,83,7398,3000,11,2000,100,100,5000\r\n",
                          PresetKind::Reverb);
    ASSERT_TRUE(rv.result.ok());
    EXPECT_EQ(rv.values[kReflectionsDelay], 300);
    EXPECT_EQ(rv.values[kReverbDelay], 100);
    EXPECT_TRUE(rv.adjusted);
}

TEST(EffectPresets, BrokenFilesGiveNoValuesAtAll) {
    EXPECT_EQ(parsePreset("15,15,15", PresetKind::Equaliser).result.error, FileError::TooShort);
    EXPECT_EQ(parsePreset("1,2,3,4,5,6,7,8,9,10,11,12,13,14", PresetKind::Reverb).result.error,
              FileError::TooShort);
    const auto word = parsePreset("15,15,loud,15,15,15,15,15,15,15", PresetKind::Equaliser);
    EXPECT_EQ(word.result.error, FileError::NotANumber);
    EXPECT_EQ(word.result.field, 3u);
    EXPECT_TRUE(word.values.empty());
    EXPECT_TRUE(
        parsePreset(std::string("\0\xff\x01,\x80", 5), PresetKind::Equaliser).values.empty());

    testing::TempDir dir;
    EXPECT_EQ(readPreset(dir / "none.eqf", PresetKind::Equaliser).result.error, FileError::Missing);
    testing::writeBytes(dir / "huge.eqf", std::string(5u << 20, '1'));
    EXPECT_EQ(readPreset(dir / "huge.eqf", PresetKind::Equaliser).result.error,
              FileError::TooLarge);
}

TEST(EffectPresets, ListingAndNames) {
    testing::TempDir dir;
    for (const char* f : {"warm.eqf", "Bright.EQF", "cave.rvf", "notes.txt", "x.eqf.bak"})
        testing::writeBytes(dir / f, "1");
    std::filesystem::create_directories(dir / "folder.eqf");
    EXPECT_EQ(listPresets(dir.path(), PresetKind::Equaliser),
              (std::vector<std::string>{"Bright", "warm"}));
    EXPECT_EQ(listPresets(dir / "missing", PresetKind::Reverb), std::vector<std::string>{});

    EXPECT_TRUE(isSafePresetName("Forest clearing"));
    for (const char* bad : {"", ".", "..", "../up", "a/b", "a\\b", "tab\there"})
        EXPECT_FALSE(isSafePresetName(bad)) << bad;
}

TEST(EffectPresets, FactoryPresetsAreWholeAndInRangeAndDefaultIsTheStartingRoom) {
    const std::filesystem::path fx = VELMORA_FACTORY_FX_DIR;
    const std::pair<PresetKind, const char*> folders[] = {{PresetKind::Equaliser, "EQ Presets"},
                                                          {PresetKind::Reverb, "reverb presets"}};
    for (const auto& [kind, folder] : folders) {
        const auto names = listPresets(fx / folder, kind);
        EXPECT_GE(names.size(), 6u) << folder;
        for (const auto& name : names) {
            const auto read = readPreset(fx / folder / (name + presetExtension(kind)), kind);
            EXPECT_TRUE(read.result.ok() && !read.adjusted) << name;
        }
    }
    const auto def = readPreset(fx / "reverb presets/Default.rvf", PresetKind::Reverb);
    const auto initial = initialReverbValues();
    EXPECT_EQ(def.values, std::vector<int>(initial.begin(), initial.begin() + kReverbStoredCount));
}

TEST(EffectsRecord, RoundTripsAndRefusesBrokenRecordsWhole) {
    EffectsSettings s;
    s.bands = {0, 1, 2, 3, 4, 26, 27, 28, 29, 30};
    s.reverb = initialReverbValues();
    s.reverb[kRoom] = 5000;
    s.reverb[15] = 150;
    s.equaliserOn = true;
    s.reverbOn = false;
    s.equaliserText = "Custom";
    s.reverbText = "Cave, deep"; // a comma inside the quoted text stays in it
    const std::string bytes = effectsRecordBytes(s);
    EXPECT_EQ(files::parseFields(bytes).size(), kEffectsRecordFields);

    EffectsSettings base;
    base.reverb[15] = 99;
    const auto read = parseEffectsRecord(bytes, base);
    ASSERT_TRUE(read.result.ok());
    EffectsSettings expected = s;
    expected.reverb[15] = 99; // not part of the record
    EXPECT_EQ(read.settings, expected);

    // One field short, or a word among the numbers: nothing of the record is taken.
    const std::string shortRecord = bytes.substr(0, bytes.rfind(",\""));
    EXPECT_EQ(parseEffectsRecord(shortRecord, base).settings, base);
    std::string word = bytes;
    word.replace(0, 1, "x");
    const auto bad = parseEffectsRecord(word, base);
    EXPECT_EQ(bad.result.error, FileError::NotANumber);
    EXPECT_EQ(bad.settings, base);
}

TEST(EffectsTmp, FourFieldsOrNothing) {
    const EffectsTmp tmp{true, 3, false, -1};
    EXPECT_EQ(effectsTmpBytes(tmp), "#TRUE#,3,#FALSE#,-1\r\n");
    EXPECT_EQ(parseEffectsTmp(effectsTmpBytes(tmp)), tmp);
    EXPECT_EQ(parseEffectsTmp("#TRUE#,3,#FALSE#"), std::nullopt);
    EXPECT_EQ(parseEffectsTmp("yes,3,no,1"), std::nullopt);
    EXPECT_EQ(parseEffectsTmp("#TRUE#,-7,#TRUE#,99999999999")->reverbIndex, -1);
}

} // namespace
} // namespace velmora::effects
