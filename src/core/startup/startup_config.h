#pragma once
// Addresses and names that belong to a particular distribution of the program rather than
// to its behaviour. Change them here only.

namespace velmora::config {

/// Opened by the system-check window's install command.
inline constexpr const char* kBackendInstallUrl = "https://velmora.example.org/install";
/// Opened by the options window's help command.
inline constexpr const char* kHelpFaqUrl = "https://velmora.example.org/faq";
/// Named in the device window's failure message.
inline constexpr const char* kSupportEmail = "support@velmora.example.org";
/// The updater program in the program folder, tried in this order.
inline constexpr const char* kUpdaterPaths[] = {"\\updater.exe", "\\updater"};

} // namespace velmora::config
