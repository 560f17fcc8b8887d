// The effects window's commands against the offline engine: what is heard, what the lists
// and the main window show, what is kept on disk.
#include "core/offline_services.h"
#include "effects/effects_controller.h"
#include "support/temp_dir.h"
#include "support/wav_file.h"

#include <gtest/gtest.h>

#include <cmath>

namespace velmora::effects {
namespace {

using testing::readBytes;
using testing::writeBytes;

struct Rig : testing::OwnsTempDir {
    OfflineServices off{m_temp.path()};
    EffectsController fx{off.services};
    std::string eqLine, reverbLine;
    Connection status = fx.statusChanged.connect([this](std::string eq, std::string rv) {
        eqLine = std::move(eq);
        reverbLine = std::move(rv);
    });

    std::filesystem::path eqFolder() const { return m_temp.path() / "config/fx/EQ Presets"; }
    std::filesystem::path reverbFolder() const {
        return m_temp.path() / "config/fx/reverb presets";
    }
    void eqPreset(const std::string& name, const std::string& values) {
        writeBytes(eqFolder() / (name + ".eqf"), values + "\r\n");
    }
    void reverbPreset(const std::string& name, const std::string& values) {
        writeBytes(reverbFolder() / (name + ".rvf"), values + "\r\n");
    }
    /// A steady tone playing, then `seconds` of the mix.
    std::vector<float> listen(double seconds, double hz = 1000) {
        if (!m_playing) {
            const auto path = m_temp.path() / "tone.wav";
            velmora::testing::writeTone(path, 1.0, hz, 0.05); // +15 dB stays clear of the limiter
            const auto ch = off.engine.play(off.engine.loadSample(path.string()));
            off.engine.setLoopMode(ch, audio::kLoopNormal);
            m_playing = true;
        }
        std::vector<float> out(std::size_t(seconds * audio::kSampleRate) * 2);
        off.engine.render(out.data(), int(out.size() / 2));
        return out;
    }
    static double rmsDb(const std::vector<float>& s) {
        double e = 0;
        for (float v : s)
            e += double(v) * v;
        return 10 * std::log10(e / double(s.size()));
    }

  private:
    bool m_playing = false;
};

const char* const kLoud = "30,30,30,30,30,30,30,30,30,30";

TEST(EffectsWindow, BothOffIsBitIdenticalAndFlatEqualiserIsTransparent) {
    Rig plain;
    const auto dry = plain.listen(0.5);

    Rig off;
    off.fx.load();
    EXPECT_FALSE(off.fx.isOn(EffectsPage::Equaliser));
    EXPECT_FALSE(off.fx.isOn(EffectsPage::Reverb));
    EXPECT_EQ(off.eqLine, "Disabled");
    EXPECT_EQ(off.reverbLine, "Disabled");
    EXPECT_EQ(off.listen(0.5), dry);

    Rig flat;
    flat.fx.load();
    flat.fx.toggle(EffectsPage::Equaliser);
    EXPECT_EQ(flat.eqLine, "Custom");
    EXPECT_NEAR(Rig::rmsDb(flat.listen(0.5)), Rig::rmsDb(dry), 0.1);
    flat.fx.setBand(4, 30); // +15 dB at 1 kHz
    EXPECT_EQ(flat.fx.bands()[4], 30);
    flat.listen(0.1);
    EXPECT_NEAR(Rig::rmsDb(flat.listen(0.5)) - Rig::rmsDb(dry), 15.0, 0.6);
}

TEST(EffectsWindow, PreviousAndNextWrapAndAListOfOneStays) {
    Rig r;
    r.eqPreset("Bright", "15,15,15,15,15,18,20,22,22,22");
    r.eqPreset("Mellow", "18,17,16,15,15,13,11,9,9,9");
    r.eqPreset("Warm", "20,19,17,15,15,14,13,12,12,12");
    r.reverbPreset("Cave", "9000,8000,83,83,10,83,300,60,9000,20,500,30,100,100,5000");
    r.fx.load();
    ASSERT_EQ(r.fx.presets(EffectsPage::Equaliser).size(), 3u);

    r.fx.nextPreset(EffectsPage::Equaliser); // nothing selected: the first
    EXPECT_EQ(r.fx.presetText(EffectsPage::Equaliser), "Bright");
    r.fx.previousPreset(EffectsPage::Equaliser); // first -> last
    EXPECT_EQ(r.fx.presetText(EffectsPage::Equaliser), "Warm");
    EXPECT_EQ(r.fx.bands()[0], 20);
    r.fx.nextPreset(EffectsPage::Equaliser); // last -> first
    EXPECT_EQ(r.fx.presetText(EffectsPage::Equaliser), "Bright");

    r.fx.nextPreset(EffectsPage::Reverb);
    r.fx.nextPreset(EffectsPage::Reverb);
    r.fx.previousPreset(EffectsPage::Reverb);
    EXPECT_EQ(r.fx.presetIndex(EffectsPage::Reverb), 0);
    EXPECT_EQ(r.fx.reverb()[kDecayTime], 300);

    // The status shows the preset only while the effect is on.
    EXPECT_EQ(r.reverbLine, "Disabled");
    r.fx.toggle(EffectsPage::Reverb);
    EXPECT_EQ(r.reverbLine, "Cave");
    r.fx.setReverbSlider(kRoom, 20000);
    EXPECT_EQ(r.fx.reverb()[kRoom], 10000);
    EXPECT_EQ(r.reverbLine, "Custom");
}

TEST(EffectsWindow, SaveOverwritesRefusesEscapingNamesAndDeleteAsksFirst) {
    Rig r;
    r.eqPreset("Mine", "1,1,1,1,1,1,1,1,1,1");
    r.fx.load();
    r.fx.setBand(0, 25);
    r.off.dialogs.inputs = {std::string("Mine"), std::string("../../escape"), std::string("")};
    r.fx.savePreset(EffectsPage::Equaliser);
    EXPECT_EQ(readBytes(r.eqFolder() / "Mine.eqf"), "25,15,15,15,15,15,15,15,15,15\r\n");
    EXPECT_EQ(r.fx.presetText(EffectsPage::Equaliser), "Mine");
    EXPECT_EQ(testing::entryCount(r.eqFolder()), 1u); // no temporary file left behind

    r.fx.savePreset(EffectsPage::Equaliser);
    EXPECT_EQ(r.off.dialogs.lastMessage(), EffectsController::kBadName);
    EXPECT_FALSE(std::filesystem::exists(r.m_temp.path() / "escape.eqf"));
    r.fx.savePreset(EffectsPage::Equaliser); // empty answer: nothing
    EXPECT_EQ(r.off.dialogs.messages.size(), 1u);
    EXPECT_EQ(r.fx.presets(EffectsPage::Equaliser).size(), 1u);

    r.off.dialogs.questionAnswers = {false, true};
    r.fx.deletePreset(EffectsPage::Equaliser);
    EXPECT_TRUE(std::filesystem::exists(r.eqFolder() / "Mine.eqf"));
    r.fx.deletePreset(EffectsPage::Equaliser);
    EXPECT_FALSE(std::filesystem::exists(r.eqFolder() / "Mine.eqf"));
    EXPECT_EQ(r.fx.presetText(EffectsPage::Equaliser), "No Preset Selected");
    EXPECT_TRUE(r.fx.presets(EffectsPage::Equaliser).empty());
}

TEST(EffectsWindow, BadPresetsLeaveTheSlidersAndOutOfRangeOnesAreLimitedAndSaid) {
    Rig r;
    r.eqPreset("A short", "20,20,20");
    r.eqPreset("B word", "20,20,20,20,20,x,20,20,20,20");
    r.eqPreset("C loud", "99,15,15,15,15,15,15,15,15,15");
    r.fx.load();
    r.fx.setBand(2, 7);
    const BandValues before = r.fx.bands();
    r.fx.choosePreset(EffectsPage::Equaliser, 0);
    EXPECT_EQ(r.fx.bands(), before);
    EXPECT_NE(r.off.dialogs.lastMessage().find("fewer values"), std::string::npos);
    r.fx.choosePreset(EffectsPage::Equaliser, 1);
    EXPECT_EQ(r.fx.bands(), before);
    EXPECT_NE(r.off.dialogs.lastMessage().find("value 6"), std::string::npos);
    EXPECT_EQ(r.fx.presetText(EffectsPage::Equaliser), "Custom");

    std::filesystem::remove(r.eqFolder() / "A short.eqf");
    r.fx.choosePreset(EffectsPage::Equaliser, 0);
    EXPECT_EQ(r.off.dialogs.lastMessage(), EffectsController::kNotFound);

    EXPECT_TRUE(r.fx.notice().empty());
    r.fx.choosePreset(EffectsPage::Equaliser, 2);
    EXPECT_EQ(r.fx.bands()[0], 30);
    EXPECT_EQ(r.fx.notice(), EffectsController::kAdjusted);
}

TEST(EffectsWindow, RestartRestoresTogglesAndPresetsAndBrokenTmpGivesDefaults) {
    Rig r;
    r.eqPreset("Bright", "15,15,15,15,15,18,20,22,22,22");
    r.eqPreset(std::string("Loud"), kLoud);
    r.reverbPreset("Cave", "9000,8000,83,83,10,83,300,60,9000,20,500,30,100,100,5000");
    r.reverbPreset("Default", "9000,10000,83,83,10,83,20,83,7398,7,11,1,100,100,5000");
    {
        EffectsController first(r.off.services);
        first.load();
        first.choosePreset(EffectsPage::Equaliser, 1);
        first.choosePreset(EffectsPage::Reverb, 0);
        first.toggle(EffectsPage::Reverb);
        first.unload();
    }
    EXPECT_EQ(readBytes(r.m_temp.path() / "effects.tmp"), "#FALSE#,1,#TRUE#,0\r\n");
    r.fx.load();
    EXPECT_FALSE(r.fx.isOn(EffectsPage::Equaliser));
    EXPECT_TRUE(r.fx.isOn(EffectsPage::Reverb));
    EXPECT_EQ(r.fx.presetText(EffectsPage::Equaliser), "Loud");
    EXPECT_EQ(r.fx.bands()[9], 30);
    EXPECT_EQ(r.reverbLine, "Cave");
    EXPECT_EQ(r.eqLine, "Disabled");

    // Sliders no preset holds come back too.
    r.fx.setBand(2, 4);
    r.fx.unload();
    EffectsController custom(r.off.services);
    custom.load();
    EXPECT_EQ(custom.bands()[2], 4);
    EXPECT_EQ(custom.bands()[9], 30);
    EXPECT_EQ(custom.presetText(EffectsPage::Equaliser), "Custom");

    // Restore defaults loads the "Default" preset after asking.
    r.off.dialogs.questionAnswers = {true};
    r.fx.restoreReverbDefaults();
    EXPECT_EQ(r.fx.reverb(), initialReverbValues());
    EXPECT_EQ(r.reverbLine, "Default");

    writeBytes(r.m_temp.path() / "effects.tmp", std::string("\x01\x02garbage", 9));
    writeBytes(r.m_temp.path() / "effects.rec", "#TRUE#,#TRUE#");
    EffectsController broken(r.off.services);
    broken.load();
    EXPECT_FALSE(broken.isOn(EffectsPage::Reverb));
    EXPECT_EQ(broken.presetText(EffectsPage::Equaliser), "Custom");
    EXPECT_EQ(broken.presetText(EffectsPage::Reverb), "Default");
    EXPECT_EQ(broken.reverb(), initialReverbValues());
    EXPECT_TRUE(r.off.dialogs.messages.empty());
}

TEST(EffectsWindow, RecordSavesAndLoadsTheWholeSetting) {
    Rig r;
    r.fx.load();
    r.fx.toggle(EffectsPage::Equaliser);
    r.fx.setBand(3, 27);
    r.fx.setReverbSlider(kDecayTime, 800);
    const auto path = r.m_temp.path() / "scenario-effects";
    ASSERT_TRUE(r.fx.dosave(path).ok());

    Rig other;
    other.fx.load();
    writeBytes(other.m_temp.path() / "junk", "1,2,3");
    EXPECT_FALSE(other.fx.doload(other.m_temp.path() / "junk").ok());
    EXPECT_FALSE(other.fx.isOn(EffectsPage::Equaliser));
    ASSERT_TRUE(other.fx.doload(path).ok());
    EXPECT_EQ(other.fx.settings(), r.fx.settings());
    EXPECT_EQ(other.eqLine, "Custom");
}

} // namespace
} // namespace velmora::effects
