#pragma once
// The last 30 seconds before the computer shuts down or suspends, on top of everything,
// with Cancel. It shows itself while the countdown runs and goes when it ends.
//
// Thread: UI thread.

#include "core/signal.h"
#include "scheduling/shutdown_countdown.h"

#include <QWidget>

class QLabel;

namespace velmora {

struct ColorScheme;

class CountdownView final : public QWidget {
    Q_OBJECT
  public:
    explicit CountdownView(scheduling::ShutdownCountdown& countdown, QWidget* parent = nullptr);
    void applyColors(const ColorScheme& scheme);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void refresh();

    scheduling::ShutdownCountdown& m_countdown;
    QLabel* m_text = nullptr;
    Connection m_changed;
};

} // namespace velmora
