// A load whose sounds are not decoded yet decodes them on a worker while the window goes on.
#include "scenario_rig.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace velmora::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

/// Gives s the scenario "Dawn", slot 3 of background bank one on, saved in another world, so
/// s has never decoded its sound. Returns every bank's state as that world saved it.
std::vector<std::string> dawnFromAnotherWorld(ScenarioRig& s) {
    ScenarioRig saved;
    saved.rig.world().backgroundOne.setOn(3, true);
    saved.saveAs("Dawn");
    fs::create_directories(s.folder());
    for (const auto& path : scenarios::groupFiles(saved.folder(), "Dawn"))
        if (fs::exists(path))
            fs::copy_file(path, s.folder() / path.filename(), fs::copy_options::overwrite_existing);
    s.rig.main().scenarios().refresh();
    return saved.bankStates();
}

TEST(ScenarioDecode, SlowDecodesRunOffTheUiThreadAndTheBanksChangeOnceTheyEnd) {
    ScenarioRig s;
    const auto saved = dawnFromAnotherWorld(s);
    auto& bank = s.rig.world().backgroundOne;
    ASSERT_FALSE(bank.voice(3).hasSample());

    std::atomic<bool> release{false};
    std::mutex seen;
    std::vector<std::thread::id> decodedOn;
    s.rig.engine().setDecoder([&](const std::string& path) {
        {
            std::lock_guard lock(seen);
            decodedOn.push_back(std::this_thread::get_id());
        }
        for (int i = 0; i < 3000 && !release; ++i)
            std::this_thread::sleep_for(1ms);
        return audio::decodeSoundFile(path);
    });

    ScenarioList& list = s.rig.main().scenarios();
    list.select("Dawn");
    const auto start = std::chrono::steady_clock::now();
    list.loadSelected();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1500ms);
    EXPECT_TRUE(list.isLoading());
    EXPECT_FALSE(list.canStartLoad());
    EXPECT_EQ(s.scenarioTexts.back(), "Loading.");
    EXPECT_FALSE(bank.slot(3).on);
    // A second load meanwhile is refused, not queued behind the first.
    EXPECT_FALSE(s.files->loadScenarioFile(s.folder() / "Dawn.vlm", ScenarioLoadMode::Auto));

    release = true;
    s.finishLoad();
    EXPECT_FALSE(list.isLoading());
    EXPECT_EQ(s.scenarioTexts.back(), "Dawn");
    EXPECT_TRUE(bank.slot(3).on);
    EXPECT_TRUE(s.rig.engine().isPlaying(bank.voice(3).channel()));
    EXPECT_EQ(s.bankStates(), saved);
    std::lock_guard lock(seen);
    ASSERT_FALSE(decodedOn.empty());
    for (const auto& id : decodedOn)
        EXPECT_NE(id, std::this_thread::get_id());
}

} // namespace
} // namespace velmora::test
