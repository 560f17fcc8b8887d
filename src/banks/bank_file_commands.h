#pragma once
// The two file commands every bank window has ("Save this forms configuration", "Load a
// previously saved configuration"): ask for a name with the bank's filter in its folder, then
// hand it to the bank. One routine so that cancel, an empty name and a failed write behave the
// same in every bank.
//
// Thread: UI thread.

#include "platform/dialogs.h"

#include <filesystem>
#include <functional>
#include <string>

namespace velmora {

/// Tells the user a bank file was not written (the atomic write left the old file as it was).
void reportSaveFailure(Dialogs& dialogs, const std::filesystem::path& path);

/// Asks for a file name (the bank's filter, opening in its folder) and writes it; cancel
/// writes nothing, a failed write is reported.
void saveBankFileAs(Dialogs& dialogs, const std::string& filter,
                    const std::filesystem::path& folder,
                    const std::function<bool(const std::filesystem::path&)>& write);

/// Asks for a file and loads it; the bank's load reports a bad file itself.
void loadBankFileFrom(Dialogs& dialogs, const std::string& filter,
                      const std::filesystem::path& folder,
                      const std::function<void(const std::filesystem::path&)>& load);

} // namespace velmora
