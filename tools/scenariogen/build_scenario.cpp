#include "build_scenario.h"

#include "platform/atomic_file.h"
#include "scenarios/main_member.h"
#include "scenarios/scenario_group.h"

namespace velmora::factory {

namespace {
template <typename Names> int slotNamed(const Names& names, int count, const std::string& name) {
    for (int n = 1; n <= count; ++n)
        if (names(n) == name) return n;
    return 0;
}
} // namespace

std::vector<std::string> applyDesign(Soundscape& soundscape, Levels& levels,
                                     const ScenarioDesign& design) {
    std::vector<std::string> missing;
    levels.set(Level::Background, design.backgroundLevel);
    levels.set(Level::Random, design.randomLevel);
    for (const auto& loop : design.loops) {
        BackgroundBank& bank =
            loop.bank == 2 ? soundscape.backgroundTwo() : soundscape.backgroundOne();
        const int n = slotNamed([&bank](int k) { return bank.slotName(k); },
                                BackgroundSlots::kAudibleSlots, loop.name);
        if (n == 0) {
            missing.push_back(loop.name);
            continue;
        }
        bank.setVolume(n, loop.volume);
        bank.setPan(n, loop.pan);
        bank.setRate(n, loop.rate);
        bank.setRangeHighPos(n, 250 - loop.high);
        bank.setRangeLowPos(n, 250 - loop.low);
        bank.setOn(n, true);
    }
    for (const auto& shot : design.shots) {
        RandomBank& bank = soundscape.randomBanks().bank(shot.bank);
        const int n =
            slotNamed([&bank](int k) { return bank.slot(k).caption; }, kRandomSlotCount, shot.name);
        if (n == 0) {
            missing.push_back(shot.name);
            continue;
        }
        bank.setVolume(n, shot.volume);
        bank.setFrequency(n, shot.frequency);
    }
    if (design.tone.name) {
        BwBank& bw = soundscape.bw();
        const int n =
            slotNamed([](int k) { return BwBank::slotName(k); }, BwBank::kSlots, design.tone.name);
        if (n == 0) {
            missing.push_back(design.tone.name);
        } else {
            bw.setVolume(n, design.tone.volume);
            bw.setOn(n, true);
        }
    }
    return missing;
}

bool writeScenario(Soundscape& soundscape, const Levels& levels, const ScenarioDesign& design,
                   const std::filesystem::path& folder) {
    const std::string name = design.name;
    bool ok = replaceFileAtomically(folder / scenarios::groupFileName(name),
                                    scenarios::groupFileBytes(name))
                  .ok();
    for (Bank* bank : soundscape.banks()) {
        const int member = scenarios::memberOfWindow(bank->windowName());
        ok = bank->dosave(folder / scenarios::memberFileName(name, member)) && ok;
    }
    scenarios::MainMember main;
    main.random = levels.value(Level::Random);
    main.background = levels.value(Level::Background);
    main.cd = levels.value(Level::Cd);
    main.mp3 = levels.value(Level::Mp3);
    main.information = design.notes;
    main.notes = design.notes;
    ok = replaceFileAtomically(folder / scenarios::memberFileName(name, scenarios::kMainMember),
                               scenarios::mainMemberBytes(main))
             .ok() &&
         ok;
    return ok;
}

} // namespace velmora::factory
