#pragma once
// Starting other programs, opening addresses and folders, shutting the machine down.

#include <string>
#include <vector>

namespace velmora {

class Shell {
  public:
    virtual ~Shell() = default;
    /// Starts a program detached; false when it could not be started.
    virtual bool startProgram(const std::string& path, const std::vector<std::string>& args) = 0;
    virtual bool openUrl(const std::string& url) = 0;
    virtual bool openFolder(const std::string& path) = 0;
    virtual bool shutdownComputer() = 0;
};

/// Test double: records every request and never acts.
class RecordingShell final : public Shell {
  public:
    struct Call {
        std::string what; ///< "start", "url", "folder", "shutdown"
        std::string target;
        std::vector<std::string> args;
    };
    std::vector<Call> calls;
    bool succeed = true;

    bool startProgram(const std::string& path, const std::vector<std::string>& args) override {
        calls.push_back({"start", path, args});
        return succeed;
    }
    bool openUrl(const std::string& url) override {
        calls.push_back({"url", url, {}});
        return succeed;
    }
    bool openFolder(const std::string& path) override {
        calls.push_back({"folder", path, {}});
        return succeed;
    }
    bool shutdownComputer() override {
        calls.push_back({"shutdown", {}, {}});
        return succeed;
    }
};

} // namespace velmora
