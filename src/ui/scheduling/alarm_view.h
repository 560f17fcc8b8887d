#pragma once
// Alarm, the alarm window: the time, the sound and how it sounds, and what else happens
// when the time comes. Closing only hides it; the alarm keeps its watch.
//
// Thread: UI thread.

#include "core/signal.h"
#include "scheduling/alarm_clock.h"
#include "window_place.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;
class QTimer;

namespace velmora {

struct ColorScheme;

class AlarmView final : public QWidget {
    Q_OBJECT
  public:
    AlarmView(scheduling::AlarmClock& alarm, SettingsStore& settings, QWidget* parent = nullptr);
    ~AlarmView() override;

    void applyColors(const ColorScheme& scheme);
    void open() { m_place.show(); }
    void saveState() { m_place.save(); }

  protected:
    void changeEvent(QEvent* event) override;

  private:
    void refresh();
    void showCaption();

    scheduling::AlarmClock& m_alarm;
    WindowPlace m_place;
    QSpinBox* m_hour = nullptr;
    QSpinBox* m_minute = nullptr;
    QLabel* m_file = nullptr;
    QLabel* m_problem = nullptr;
    QSlider* m_volume = nullptr;
    QComboBox* m_playFor = nullptr;
    QCheckBox* m_repeat = nullptr;
    QCheckBox* m_fade = nullptr;
    QCheckBox* m_close = nullptr;
    QCheckBox* m_shutdown = nullptr;
    QPushButton* m_listen = nullptr;
    QPushButton* m_stopListening = nullptr;
    QPushButton* m_stopAlarm = nullptr;
    QTimer* m_captionTimer = nullptr;
    Connection m_changed;
};

} // namespace velmora
