#pragma once
// One Velmora per user: the first start holds an exclusive lock on a file in the user's
// private runtime folder for as long as it runs. The kernel drops the lock when the process
// ends however it ends, so a crashed run never blocks the next one, and of two starts racing
// each other exactly one gets it.
//
// Thread: any; the lock belongs to the process.

#include <filesystem>
#include <optional>
#include <string>

namespace velmora {

/// The name of the lock and socket of the instance using settingsFolder: one instance per
/// settings folder, so runs with a settings folder of their own (tests, measurements) never
/// reach the user's Velmora, while every start sharing the user's settings does.
[[nodiscard]] std::string instanceName(const std::filesystem::path& settingsFolder);

/// $XDG_RUNTIME_DIR/velmora (or /tmp/velmora-UID without one), made 0700 and checked to be
/// ours and private; empty with why set when it cannot be made so.
[[nodiscard]] std::filesystem::path privateRuntimeFolder(std::string& why);

class InstanceLock {
  public:
    enum class Result { Acquired, HeldElsewhere, Failed };

    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(InstanceLock&& other) noexcept;
    InstanceLock& operator=(InstanceLock&& other) noexcept;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    /// Takes the lock on file without waiting.
    Result acquire(const std::filesystem::path& file);
    [[nodiscard]] bool isHeld() const { return m_fd >= 0; }

  private:
    int m_fd = -1;
};

} // namespace velmora
