#pragma once
// The files a scenario is made of: NAME.vlm, whose presence lists it, and NAME1.scs ...
// NAME12.scs, each written and read by its owner (the banks their own, the main window 6,
// the colour scheme 7 and 9).
//
// Thread: any.

#include "core/state/saved_soundscape.h"

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace velmora::scenarios {

inline constexpr const char* kScenarioFolder = "\\config\\scenarios";
inline constexpr const char* kPresetFolder = "\\config\\presets";
inline constexpr int kMemberCount = 12;
inline constexpr int kMainMember = 6;
inline constexpr int kSchemeMember = 7;
inline constexpr int kSchemeLoadMember = 9;
/// The effects window's record. Optional: a scenario without it leaves the effects alone.
inline constexpr int kEffectsMember = 13;
/// Members that must all exist before a load touches anything.
inline constexpr int kRequiredMembers = 5;

/// Which bank window writes which member.
struct BankMember {
    const char* window;
    int member;
};
inline constexpr std::array<BankMember, 9> kBankMembers = {{
    {"frmback", 1},
    {"frmbackcustom", 2},
    {"frmcustom", 3},
    {"frmrandommain", 4},
    {"frmbackbw", 5},
    {"frmback2", 8},
    {"frmrandommain2", 10},
    {"frmrandommain3", 11},
    {"frmrandommain4", 12},
}};

/// The member number of a bank window's file; 0 for a window without one.
[[nodiscard]] int memberOfWindow(const std::string& window);
/// The bank of links whose member is member, or nullptr.
[[nodiscard]] Bank* bankWithMember(const SoundscapeLinks& links, int member);
/// Each bank's member file of the scenario name.
[[nodiscard]] state::BankFileNames memberFileNames(const std::string& name);
/// "Rain" and 3 -> "Rain3.scs".
[[nodiscard]] std::string memberFileName(const std::string& name, int member);
[[nodiscard]] std::string groupFileName(const std::string& name);
/// NAME.vlm's contents: the name in double quotes and CR LF.
[[nodiscard]] std::string groupFileBytes(const std::string& name);
/// A member or group file inside folder, found without regard to case.
[[nodiscard]] std::filesystem::path resolveIn(const std::filesystem::path& folder,
                                              const std::string& fileName);
/// The thirteen files of the scenario in folder: NAME.vlm first, then members 1..12.
[[nodiscard]] std::vector<std::filesystem::path> groupFiles(const std::filesystem::path& folder,
                                                            const std::string& name);

} // namespace velmora::scenarios
