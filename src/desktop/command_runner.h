#pragma once
// What a command from the command line does to the running main window. The same runner
// serves a command given at start and one a second start forwards, so both behave alike.
//
// Thread: UI thread.

#include "command_line.h"

#include <functional>
#include <string>

namespace velmora {
class MainWindowController;
}

namespace velmora::desktop {

struct Outcome {
    int exitCode = 0;    ///< what the start that gave the command exits with
    std::string message; ///< one line for its terminal; may be empty
};

class CommandRunner {
  public:
    /// show: brings the window forward; quit: the orderly quit a signal also takes.
    CommandRunner(MainWindowController& main, std::function<void()> show,
                  std::function<void()> quit);

    /// Whether the command can run, without running it: a scenario that does not exist or
    /// cannot be loaded, a preset while there are none.
    [[nodiscard]] Outcome check(const Command& command);
    /// Checks, then runs; nothing changes when the check fails.
    Outcome run(const Command& command);

  private:
    MainWindowController& m_main;
    std::function<void()> m_show;
    std::function<void()> m_quit;
};

} // namespace velmora::desktop
