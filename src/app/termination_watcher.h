#pragma once
// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the UI thread, so the program quits
// in its usual order (state files written) when the session ends or a service manager stops
// it. The handler only writes one byte to a pipe; everything else runs in the event loop.
//
// Thread: created and used on the UI thread; the POSIX handler runs on any thread.

#include <QObject>

class QSocketNotifier;

namespace velmora {

class TerminationWatcher : public QObject {
    Q_OBJECT
  public:
    explicit TerminationWatcher(QObject* parent = nullptr);
    ~TerminationWatcher() override;

    /// False when the handlers could not be installed (the program still runs).
    [[nodiscard]] bool isActive() const { return m_notifier != nullptr; }

  signals:
    /// The number of the signal that asked the program to end.
    void terminationRequested(int signalNumber);

  private:
    void readPipe();
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace velmora
