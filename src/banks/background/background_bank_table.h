#pragma once
// What tells background bank one from bank two: window, sounds, files, folders, names and
// message. Everything else about the two banks is one implementation.

#include <array>
#include <string>

namespace velmora {

struct BackgroundBankTable {
    std::string window;                ///< object name of the window
    int firstSoundNumber;              ///< slot k plays "\bin\<firstSoundNumber + k - 1>.isz"
    std::string stateFile;             ///< in the program folder
    std::string dialogFolder;          ///< where the bank-file dialogs open
    std::array<std::string, 18> names; ///< slot labels, the hidden 18th included
    std::string loadError;             ///< shown when a file cannot be loaded
};

/// Bank one (`frmback`) and bank two (`frmback2`).
[[nodiscard]] const BackgroundBankTable& backgroundBankOne();
[[nodiscard]] const BackgroundBankTable& backgroundBankTwo();

} // namespace velmora
