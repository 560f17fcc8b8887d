#pragma once
// The composition root: the one place that knows every concrete class. It builds the
// platform back ends, the sound engine, every bank with its view, the main window and the
// other windows, wires them into the main window's registry, and runs the start-up road.
//
// Thread: UI thread.

#include "desktop/command_line.h"
#include "desktop/command_runner.h"

#include <QObject>

#include <memory>
#include <string>

namespace velmora {

class Application : public QObject {
    Q_OBJECT
  public:
    Application();
    ~Application() override;

    /// Whether the command given at start can run (a scenario that does not exist cannot).
    [[nodiscard]] desktop::Outcome check(const desktop::Command& command);
    /// Hears later starts on the socket at path; their commands run once the main window
    /// has loaded. Call before start().
    bool serveInstances(const std::string& path, std::string& why);
    /// Starts the start-up road (system check, splash, main window); command runs once the
    /// main window has loaded, its outcome on the terminal.
    void start(const desktop::Command& command = {});
    /// Quits in order without asking anything (a signal or the session ending).
    void terminate();

  private:
    /// Hands the bank panels to the main window and registers the windows it can open.
    void wireWindows();
    /// The players and the scheduler write their lines into the remote; its MP3 buttons drive
    /// the MP3 player.
    void linkRemote();
    /// Brings the main window forward.
    void showWindow();
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

} // namespace velmora
