#pragma once
// The system-check window (frmLauncher, "System Check"): shown until its start command has
// been used once. It checks the sound back end's major version against the required 7.
//
// Thread: UI thread.

#include "core/signal.h"
#include "platform/settings_store.h"
#include "platform/shell.h"

#include <string>

namespace velmora {

namespace audio {
class SoundEngine;
}

struct BackendVersion {
    int major = 0;
    int minor = 0;
    /// The back end's own name and version as it reports them ("PortAudio V19.6.0-devel").
    std::string name;
};

/// The running sound back end's version (major from the engine; minor read from its
/// version text, 0 when the text does not give one).
[[nodiscard]] BackendVersion soundBackendVersion();
/// The number after "<major>." in a version text ("V19.6.0" with major 19 -> 6); 0 if none.
[[nodiscard]] int minorFromVersionText(const std::string& text, int major);

class LauncherController {
  public:
    static constexpr int kRequiredMajor = 7;
    static constexpr const char* kCaption = "System Check";
    static constexpr const char* kWarningText =
        "You Need To Install DirectX 7 or higher before this application can function. Click "
        "on the install button below to start the installation.";
    static constexpr const char* kPassedText =
        "Your system has passed the DirectX requirement check. You may now run the "
        "application.";

    /// installHelp: the address the install command opens (the guide's sound section).
    LauncherController(SettingsStore& settings, Shell& shell, BackendVersion version,
                       std::string installHelp);

    /// False once the start command has been used (then start-up goes straight on).
    [[nodiscard]] bool shouldShow() const;

    [[nodiscard]] std::string requiredText() const;  ///< lblReq
    [[nodiscard]] std::string installedText() const; ///< lblGot
    /// What the version numbers above belong to on this system; empty when unknown.
    [[nodiscard]] std::string backendText() const;
    [[nodiscard]] bool passed() const { return m_version.major >= kRequiredMajor; }
    [[nodiscard]] bool warningVisible() const { return !passed(); }   ///< lblwarning
    [[nodiscard]] bool passedTextVisible() const { return passed(); } ///< Label1
    [[nodiscard]] bool startEnabled() const { return passed(); }      ///< Command2
    [[nodiscard]] bool installEnabled() const { return !passed(); }   ///< Command3

    /// Command2: remembers that the check was passed, then start-up goes on (started).
    void start();
    /// Command3: opens the back end's download page.
    void install();
    /// chameleonbutton1: the program ends (closed).
    void close();

    Signal<> started;
    Signal<> closed;

  private:
    SettingsStore& m_settings;
    Shell& m_shell;
    BackendVersion m_version;
    std::string m_installHelp;
};

} // namespace velmora
