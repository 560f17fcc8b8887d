#pragma once
// Reading a scenario group into a soundscape, in the order the main window loads it; shared
// by the main window's load and by the recorder, which renders a scenario without a window.
//
// Thread: the thread that owns the soundscape.

#include "core/state/saved_soundscape.h"
#include "scenarios/main_member.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace velmora::scenarios {

/// Members 1..5 are all there (the rest are optional: a bank without its file keeps its
/// state).
[[nodiscard]] bool hasRequiredMembers(const std::filesystem::path& dir, const std::string& name);

/// Reads the main window's member at path into texts and sets the four main levels from it
/// (see MainLevelsKept). A missing file changes nothing; false when the file is there but
/// unusable (nothing applied).
[[nodiscard]] bool applyMainMember(const std::filesystem::path& path, Levels& levels,
                                   MainMember& texts);

/// For the length of a load: when the user's options say a scenario leaves the four main
/// levels alone, puts them back as they were at the start. The main member is not the only
/// file that moves them: the custom background bank's file carries copies of two of them.
class MainLevelsKept {
  public:
    MainLevelsKept(Levels& levels, const ProgramFolder& program);
    ~MainLevelsKept();
    MainLevelsKept(const MainLevelsKept&) = delete;
    MainLevelsKept& operator=(const MainLevelsKept&) = delete;

  private:
    Levels& m_levels;
    bool m_keep = false;
    int m_values[4] = {};
};

/// The sound files the banks' members of the scenario name in dir would decode, each once,
/// in load order; only files that exist (a missing one fails at once, without a decode).
[[nodiscard]] std::vector<std::string> soundsToDecode(const SoundscapeLinks& links,
                                                      const std::filesystem::path& dir,
                                                      const std::string& name);

struct MemberSteps {
    /// Member 9 when it exists; empty: the colours are not loaded.
    std::function<bool(const std::filesystem::path&)> colours;
    /// After each bank's member.
    std::function<void()> bankLoaded;
};

/// Loads every bank's member of the scenario name in dir through the bank's own doload,
/// banks in load order with the colours between the first six and the last three. false at
/// the first failure: the banks before it keep their new state, the others their old.
[[nodiscard]] bool loadBankMembers(state::SavedSoundscape& saved, const std::filesystem::path& dir,
                                   const std::string& name, const MemberSteps& steps);

} // namespace velmora::scenarios
