#pragma once
// The real Shell on Linux: programs are started detached in their own session, addresses
// and folders go to xdg-open, shutting down asks systemd to power off. Tests never use it.
//
// Thread: UI thread.

#include "shell.h"

namespace velmora {

class LinuxShell final : public Shell {
  public:
    /// True once the program has really been executed (not merely forked).
    bool startProgram(const std::string& path, const std::vector<std::string>& args) override;
    bool openUrl(const std::string& url) override;
    bool openFolder(const std::string& path) override;
    bool shutdownComputer() override;
};

/// Finds a program on $PATH the way a shell would; empty when not found. A name with a "/"
/// is returned as it is when it is an executable file.
[[nodiscard]] std::string findExecutable(const std::string& name);

} // namespace velmora
