#pragma once
// The recorder's window: what to record (the soundscape it was started on or a saved
// scenario), length in minutes and seconds, the output file, optional fade-in and
// fade-out, a progress bar with the time left, and cancel. The render runs on a worker
// thread that owns everything it builds; the window only starts it, shows its progress and
// sets its cancel flag, so it stays responsive through an hour-long recording.
//
// Thread: GUI thread (the worker reports through queued calls).

#include "render.h"

#include <QElapsedTimer>
#include <QWidget>

#include <atomic>
#include <memory>
#include <optional>
#include <utility>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QThread;

namespace velmora::recorder {

/// Centres window on centre (Velmora's main window), or on the screen without one, and
/// keeps it inside the screen it lands on.
void placeWindow(QWidget& window, const std::optional<std::pair<int, int>>& centre);

class RecorderWindow : public QWidget {
    Q_OBJECT
  public:
    /// defaults: the program folder to record, and a length, fades and output file when
    /// they are set (a length of 0 means the window's own default).
    /// keepSeed: every recording uses defaults.seed; otherwise each draws a fresh one.
    RecorderWindow(const RenderRequest& defaults, bool keepSeed, QWidget* parent = nullptr);
    ~RecorderWindow() override;

    /// Starts a recording with the window's values; false (with a message) when a value is
    /// not usable or a recording is already running.
    bool startRecording();
    /// Asks a running recording to stop; its file is not written.
    void cancelRecording();
    [[nodiscard]] bool isRecording() const { return m_worker != nullptr; }
    /// The request the window's fields describe now.
    [[nodiscard]] RenderRequest request() const;

  signals:
    /// A recording ended: Finished, Cancelled or Failed, with its one-line reason.
    void recordingEnded(int status, const QString& message);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void browse();
    void onProgress(qint64 done, qint64 total);
    void onFinished(const RenderOutcome& outcome);
    void setRunning(bool running);
    void updateFadeFields();

    RenderRequest m_defaults;
    bool m_keepSeed;
    QComboBox* m_scenario; ///< first entry: the soundscape of the program folder itself
    QSpinBox* m_minutes;
    QSpinBox* m_seconds;
    QLineEdit* m_output;
    QPushButton* m_browse;
    QCheckBox* m_fadeIn;
    QDoubleSpinBox* m_fadeInSeconds;
    QCheckBox* m_fadeOut;
    QDoubleSpinBox* m_fadeOutSeconds;
    QProgressBar* m_progress;
    QLabel* m_status;
    QPushButton* m_record;
    QPushButton* m_cancel;
    QThread* m_worker = nullptr;
    std::shared_ptr<std::atomic<bool>> m_cancelFlag;
    QElapsedTimer m_elapsed;
    bool m_closeWhenDone = false;
};

} // namespace velmora::recorder
