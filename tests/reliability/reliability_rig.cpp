#include "reliability/reliability_rig.h"

#include "banks/random/random_bank_table.h"
#include "support/wav_file.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace velmora::reliability {

namespace {
// Tones at about a third of full scale: a dozen of them together must still drive the
// limiter, or a day of use would never test it.
constexpr double kToneAmplitude = 0.37;
constexpr int kUserSoundCount = 6;
constexpr double kUserSoundSeconds = 0.4;
const char* const kUserSoundFolder = "my sounds";
const char* const kBankFileFolder = "bank files";
// Enough moves that nearly every bank differs between two saves.
constexpr int kActionsBeforeSaving = 40;
} // namespace

void populateProgramFolder(const fs::path& folder) {
    // Both background banks and all four random banks have their sounds, so a crowded
    // moment asks for more than the 32 channels.
    for (const auto* table : {&backgroundBankOne(), &backgroundBankTwo()})
        for (int k = 0; k < 17; ++k)
            testing::writeTone(folder / "bin" /
                                   (std::to_string(table->firstSoundNumber + k) + ".isz"),
                               0.5, 220 + 20 * k, kToneAmplitude);
    for (int bank = 1; bank <= 4; ++bank)
        for (int slot = 1; slot <= kRandomSlotCount; ++slot)
            testing::writeTone(
                folder / "bin" /
                    (std::to_string(randomBankTable(bank).firstSound + slot - 1) + ".raz"),
                0.5, 600 + 10 * slot + 3 * bank, kToneAmplitude);
    // The user's own sounds differ in pitch and level, one of them stereo, as picked files
    // do; all are as long, so the memory they take does not depend on which slot holds which.
    for (int k = 0; k < kUserSoundCount; ++k) {
        const auto path = folder / kUserSoundFolder / ("sound " + std::to_string(k) + ".wav");
        if (k == kUserSoundCount - 1)
            testing::writeWav(path, testing::sineTone(2 * kUserSoundSeconds, 330, 0.9), 2);
        else
            testing::writeTone(path, kUserSoundSeconds, 300 + 70 * k, 0.2 + 0.12 * k);
    }
}

std::vector<fs::path> userSounds(const fs::path& folder) {
    std::vector<fs::path> out;
    for (int k = 0; k < kUserSoundCount; ++k)
        out.push_back(folder / kUserSoundFolder / ("sound " + std::to_string(k) + ".wav"));
    return out;
}

World::World(const fs::path& folder, std::uint64_t seed) : OfflineServices(folder, seed) {
    main.attach(soundscape.links());
}

World::~World() = default;

fs::path bankFilePath(const fs::path& folder, const Bank& bank) {
    return folder / kBankFileFolder / bank.stateFileName();
}

SaveOutcome changeAndSave(const fs::path& folder, std::uint64_t userSeed, bool interactive,
                          const fs::path& saveErrorFolder,
                          const std::function<void()>& beforeSaving) {
    World world(folder, 1);
    if (!saveErrorFolder.empty()) world.main.setSaveErrorFolder(saveErrorFolder);
    world.main.load();
    RandomUser(world, folder, userSeed).actMany(kActionsBeforeSaving);
    world.dialogs.messages.clear();
    if (beforeSaving) beforeSaving();
    SaveOutcome out;
    for (Bank* bank : world.soundscape.banks())
        if (!bank->dosave(bankFilePath(folder, *bank))) ++out.bankFileFailures;
    world.main.quit(interactive);
    for (const auto& m : world.dialogs.messages)
        out.messages.push_back(m.text);
    return out;
}

RandomUser::RandomUser(World& world, fs::path folder, std::uint64_t seed)
    : m_world(world), m_folder(std::move(folder)), m_sounds(userSounds(m_folder)), m_rng(seed) {
    std::error_code ec; // a read-only folder: saving there is what is being tried
    fs::create_directories(m_folder / kBankFileFolder, ec);
}

int RandomUser::draw(int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(m_rng);
}

Action RandomUser::act() {
    // Weighted as a user weights them: mostly small moves, now and then a file or a stop.
    static constexpr std::array<int, kActionCount> kWeights = {20, 40, 15, 4, 2, 4, 4, 6, 3};
    const auto action = static_cast<Action>(
        std::discrete_distribution<int>(kWeights.begin(), kWeights.end())(m_rng));
    auto& w = m_world;
    switch (action) {
    case Action::SlotSwitch: {
        const int n = draw(1, 17);
        auto& bank = draw(0, 1) ? w.soundscape.backgroundOne() : w.soundscape.backgroundTwo();
        bank.setOn(n, !bank.slot(n).on);
        break;
    }
    case Action::SlotMove:
        moveSlot();
        break;
    case Action::LevelMove:
        moveLevel();
        break;
    case Action::Mute:
        w.main.mute().toggle();
        break;
    case Action::StopAll:
        w.main.panels().stopAllSounds();
        break;
    case Action::BankFileSave:
    case Action::BankFileLoad:
        bankFile(action == Action::BankFileSave);
        break;
    case Action::CustomSound:
        customSound();
        break;
    case Action::AutoRandomise:
        if (draw(0, 1))
            w.soundscape.randomBanks().autoRandomize().toggle();
        else
            w.soundscape.randomBanks().custom().toggleAutoRandomize();
        break;
    }
    ++m_counts[static_cast<std::size_t>(action)];
    // The scripted dialogs keep every message shown; a day of them is the rig's memory, not
    // the program's.
    w.dialogs.messages.clear();
    return action;
}

void RandomUser::actMany(int n) {
    for (int i = 0; i < n; ++i)
        act();
}

void RandomUser::moveSlot() {
    auto& s = m_world.soundscape;
    const int kind = draw(0, 7);
    if (kind >= 5) {
        auto& bank = s.randomBanks().bank(draw(1, 4));
        const int slot = draw(1, 28);
        if (kind == 5)
            bank.setVolume(slot, draw(0, 255));
        else
            bank.setFrequency(slot, draw(0, 3) ? draw(0, 255) : 0);
        return;
    }
    BackgroundSlots* banks[] = {&s.backgroundOne(), &s.backgroundTwo(), &s.customBackground()};
    auto& bank = *banks[draw(0, 2)];
    const int n = draw(1, 17);
    switch (kind) {
    case 0:
        bank.setVolume(n, draw(0, 255));
        break;
    case 1:
        bank.setPan(n, draw(0, 255));
        break;
    case 2:
        bank.setRate(n, draw(0, 999));
        break;
    case 3:
        bank.setRangeLowPos(n, draw(0, 250));
        break;
    default:
        bank.setRangeHighPos(n, draw(0, 250));
        break;
    }
}

void RandomUser::moveLevel() {
    static constexpr Level kLevels[] = {Level::Master, Level::Random, Level::Background,
                                        Level::Bwaves};
    const Level level = kLevels[draw(0, 3)];
    const auto range = levelRange(level);
    m_world.levels.set(level, draw(range.minimum, range.maximum));
}

void RandomUser::bankFile(bool save) {
    const auto& banks = m_world.soundscape.banks();
    Bank& bank = *banks[static_cast<std::size_t>(draw(0, int(banks.size()) - 1))];
    const auto path = bankFilePath(m_folder, bank);
    if (save) {
        if (!bank.dosave(path)) ++m_fileFailures;
    } else if (fs::exists(path) && !bank.doload(path)) {
        ++m_fileFailures;
    }
}

void RandomUser::customSound() {
    auto& random = m_world.soundscape.randomBanks().custom();
    if (draw(0, 1)) {
        const auto& sound = m_sounds[static_cast<std::size_t>(draw(0, int(m_sounds.size()) - 1))];
        if (!random.setSound(draw(1, 28), sound)) ++m_fileFailures;
        if (draw(0, 1)) random.setFrequency(draw(1, 28), draw(20, 255));
        return;
    }
    // The picker's background mode: a rotation of the user's sounds over every custom slot.
    std::vector<std::string> files;
    const int start = draw(0, int(m_sounds.size()) - 1);
    for (int k = 0; k < 17; ++k)
        files.push_back(m_sounds[static_cast<std::size_t>(start + k) % m_sounds.size()].string());
    m_world.soundscape.customBackground().reloadAll(files);
    auto& bank = m_world.soundscape.customBackground();
    bank.setOn(draw(1, int(files.size())), true);
}

} // namespace velmora::reliability
