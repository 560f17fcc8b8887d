#pragma once
// The composition root: the one place that knows every concrete class. It builds the
// platform back ends, the sound engine, every bank with its view, the main window and the
// other windows, wires them into the main window's registry, and runs the start-up road.
//
// Thread: UI thread.

#include <QObject>

#include <memory>

namespace velmora {

class Application : public QObject {
    Q_OBJECT
  public:
    Application();
    ~Application() override;

    /// Starts the start-up road (system check, splash, main window).
    void start();
    /// Quits in order without asking anything (a signal or the session ending).
    void terminate();

  private:
    /// Hands the bank panels to the main window and registers the windows it can open.
    void wireWindows();
    struct Parts;
    std::unique_ptr<Parts> m_parts;
};

} // namespace velmora
