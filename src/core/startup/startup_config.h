#pragma once
// Addresses and names that belong to a particular distribution of the program rather than
// to its behaviour. Change them here only.

namespace velmora::config {

/// The user guide shipped beside the program, and the sections other windows point into.
inline constexpr const char* kUserGuide = "\\help\\index.html";
inline constexpr const char* kGuideSoundSection = "sound";
/// Where the device window's failure message sends the user for help.
inline constexpr const char* kSupportContact =
    "us: the user guide (press F1) says how, under \"Troubleshooting\".";
/// The updater program in the program folder, tried in this order.
inline constexpr const char* kUpdaterPaths[] = {"\\updater.exe", "\\updater"};

} // namespace velmora::config
