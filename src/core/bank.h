#pragma once
// What the rest of the program needs of every sound bank, whatever its kind: the main
// window's stop-all, panels, start-up and quit; the scenarios' doload/dosave; docolors.
//
// Thread: UI thread.

#include "core/color_scheme.h"

#include <filesystem>
#include <string>
#include <vector>

namespace velmora {

class Bank {
  public:
    virtual ~Bank() = default;
    /// The window's object name ("frmback", "frmrandommain3", ...).
    [[nodiscard]] virtual std::string windowName() const = 0;
    /// Switches every slot off exactly as if the user had unticked it / stops its sounds.
    virtual void stopAll() = 0;
    /// Restores the bank from a file in its own format (state file, bank file or scenario
    /// member). Shows the bank's own message on a bad file, changes nothing and returns false.
    virtual bool doload(const std::filesystem::path& path) = 0;
    /// The sound files doload(path) would decode because the bank does not hold them yet, so
    /// that a load can decode them off the UI thread first. Empty when nothing would be
    /// decoded (or the file is unusable: doload then says so itself).
    [[nodiscard]] virtual std::vector<std::filesystem::path>
    soundsToDecode(const std::filesystem::path& path) const {
        (void)path;
        return {};
    }
    /// Writes the bank's state in its own format, atomically; false when the file was not
    /// written (the old one is kept). It tells the user nothing: quit, snapshots and
    /// scenarios collect the failures of every bank and report them once.
    virtual bool dosave(const std::filesystem::path& path) = 0;
    /// The state file in the program folder read at start and written at quit ("rand.ini").
    [[nodiscard]] virtual std::string stateFileName() const = 0;
    /// Remembers the scheme; the bank's view repaints from it.
    virtual void docolors(const ColorScheme& scheme) = 0;
};

} // namespace velmora
