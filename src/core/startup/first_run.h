#pragma once
// The program runs for the first time until its first orderly quit has written main.tmp.

#include "platform/program_folder.h"

namespace velmora {

[[nodiscard]] bool isFirstRun(const ProgramFolder& folder);

} // namespace velmora

namespace velmora::first_run {

inline constexpr const char* kCaption = "First Run";
/// After the main window has loaded, the welcome window waits this long (Timer4).
inline constexpr int kDelayMs = 2000;
inline constexpr const char* kTexts[] = {
    "Welcome to Velmora",
    "To get started - double click a scenario from the list down the left of the main "
    "interface. Alternatively, click one of the preset buttons.",
    "Clicking the 'Background' button will set the slideshow running in the background while "
    "you experiment with the program.",
    "Press F1 at anytime to open the helpfile. ",
    "Velmora is currently configured to change color schemes with each scenario. This may "
    "result in scenario loading taking a few seconds longer. You can disable this feature from "
    "the program options panel if you prefer a static color scheme or you find loading takes "
    "too long.",
};

} // namespace velmora::first_run
