#pragma once
// The user guide that ships in the program folder, opened in the desktop's browser by Help,
// F1 and the windows that send the user to one of its sections.
//
// Thread: any.

#include "platform/program_folder.h"

#include <string>
#include <string_view>

namespace velmora {

/// A file address of the guide ("file:///…/help/index.html#section"), its path
/// percent-encoded so folders with spaces or non-ASCII names open; section may be empty.
[[nodiscard]] std::string userGuideAddress(const ProgramFolder& folder,
                                           std::string_view section = {});

} // namespace velmora
