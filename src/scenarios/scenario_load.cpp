#include "scenario_load.h"

#include "core/state/options_state.h"
#include "scenarios/scenario_group.h"

#include <algorithm>
#include <array>
#include <system_error>

namespace velmora::scenarios {

namespace fs = std::filesystem;

namespace {
constexpr int kLoadFirst[] = {1, 8, 2, 3, 4, 5};
constexpr int kLoadLast[] = {10, 11, 12};
constexpr std::array<Level, 4> kMainLevels = {Level::Random, Level::Background, Level::Cd,
                                              Level::Mp3};

bool isFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}
} // namespace

bool hasRequiredMembers(const fs::path& dir, const std::string& name) {
    for (int m = 1; m <= kRequiredMembers; ++m)
        if (!isFile(resolveIn(dir, memberFileName(name, m)))) return false;
    return true;
}

MainLevelsKept::MainLevelsKept(Levels& levels, const ProgramFolder& program) : m_levels(levels) {
    state::OptionsState options;
    (void)state::readOptionsState(program.resolve(state::kOptionsStateFile), options);
    m_keep = !options.volumesOnScenarioLoad;
    for (std::size_t i = 0; i < kMainLevels.size(); ++i)
        m_values[i] = levels.value(kMainLevels[i]);
}

MainLevelsKept::~MainLevelsKept() {
    if (!m_keep) return;
    for (std::size_t i = 0; i < kMainLevels.size(); ++i)
        m_levels.set(kMainLevels[i], m_values[i]);
}

bool applyMainMember(const fs::path& path, Levels& levels, MainMember& texts) {
    // Not there: the window keeps what it has, as a bank without its member does.
    if (!isFile(path)) return true;
    MainMember read = texts;
    if (!readMainMember(path, read).ok()) return false;
    levels.set(Level::Random, read.random);
    levels.set(Level::Background, read.background);
    levels.set(Level::Cd, read.cd);
    levels.set(Level::Mp3, read.mp3);
    // The first copy of Text3 is read past; the second is the one kept.
    read.text3Before = read.text3;
    texts = read;
    return true;
}

std::vector<std::string> soundsToDecode(const SoundscapeLinks& links, const fs::path& dir,
                                        const std::string& name) {
    std::vector<std::string> sounds;
    const auto collect = [&](const auto& members) {
        for (int member : members) {
            const Bank* bank = bankWithMember(links, member);
            const auto file = resolveIn(dir, memberFileName(name, member));
            if (!bank || !isFile(file)) continue;
            for (const auto& sound : bank->soundsToDecode(file))
                if (isFile(sound) &&
                    std::find(sounds.begin(), sounds.end(), sound.string()) == sounds.end())
                    sounds.push_back(sound.string());
        }
    };
    collect(kLoadFirst);
    collect(kLoadLast);
    return sounds;
}

bool loadBankMembers(state::SavedSoundscape& saved, const fs::path& dir, const std::string& name,
                     const MemberSteps& steps) {
    const ProgramFolder group(dir);
    const auto names = memberFileNames(name);
    state::RestoreReport report;
    const auto load = [&](const auto& members) {
        for (int member : members) {
            Bank* bank = bankWithMember(saved.links(), member);
            if (bank && !saved.loadBank(*bank, group, names, report)) return false;
            if (steps.bankLoaded) steps.bankLoaded();
        }
        return true;
    };
    if (!load(kLoadFirst)) return false;
    const auto scheme = resolveIn(dir, memberFileName(name, kSchemeLoadMember));
    if (steps.colours && isFile(scheme) && !steps.colours(scheme)) return false;
    return load(kLoadLast);
}

} // namespace velmora::scenarios
