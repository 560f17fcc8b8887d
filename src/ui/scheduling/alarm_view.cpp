#include "alarm_view.h"

#include "ui/widgets/command_button.h"
#include "ui/widgets/scheme_style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

namespace velmora {

namespace {
constexpr const char* kCaption = "Alarm Clock";

/// Hours and minutes read as a clock shows them: "07", not "7".
class TwoDigitSpin final : public QSpinBox {
  public:
    using QSpinBox::QSpinBox;

  protected:
    QString textFromValue(int value) const override {
        return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
    }
};

QSpinBox* twoDigitSpin(QWidget* parent, const char* name, int max) {
    auto* spin = new TwoDigitSpin(parent);
    spin->setObjectName(name);
    spin->setRange(0, max);
    spin->setWrapping(true);
    spin->setAlignment(Qt::AlignRight);
    // Typed digits count once the field is left: "28" must not pass through "2" ("02").
    spin->setKeyboardTracking(false);
    return spin;
}

QCheckBox* box(QWidget* parent, const char* name, const char* text) {
    auto* b = new QCheckBox(text, parent);
    b->setObjectName(name);
    return b;
}
} // namespace

AlarmView::AlarmView(scheduling::AlarmClock& alarm, SettingsStore& settings, QWidget* parent)
    : QWidget(parent, Qt::Window), m_alarm(alarm), m_place(this, settings) {
    setObjectName("Alarm");
    setWindowTitle(kCaption);
    auto& a = m_alarm;

    m_hour = twoDigitSpin(this, "Text1", 23);
    m_minute = twoDigitSpin(this, "Text2", 59);
    connect(m_hour, &QSpinBox::valueChanged, this, [&a](int v) { a.setHour(v); });
    connect(m_minute, &QSpinBox::valueChanged, this, [&a](int v) { a.setMinute(v); });
    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(new QLabel(tr("Alarm time"), this));
    timeRow->addWidget(m_hour);
    timeRow->addWidget(new QLabel(":", this));
    timeRow->addWidget(m_minute);
    timeRow->addStretch();

    auto* soundBox = new QGroupBox(tr("Alarm sound"), this);
    m_file = new QLabel(soundBox);
    m_file->setObjectName("Label3");
    m_file->setToolTip("Current File to be played");
    m_problem = new QLabel(soundBox);
    m_problem->setObjectName("Label4");
    m_problem->setWordWrap(true);
    auto* choose = makeCommandButton(soundBox, "chameleonButton1", tr("Choose..."),
                                     "Select an alarm sound from disk");
    auto* useDefault = makeCommandButton(soundBox, "chameleonButton2", tr("Default"),
                                         "Use the default alarm sound");
    m_listen = makeCommandButton(soundBox, "chameleonButton3", tr("Listen"),
                                 "Listen to the current alarm");
    m_stopListening =
        makeCommandButton(soundBox, "chameleonButton4", tr("Stop"), tr("Stop listening"));
    connect(choose, &QPushButton::clicked, this, [&a] { a.chooseSound(); });
    connect(useDefault, &QPushButton::clicked, this, [&a] { a.useDefaultSound(); });
    connect(m_listen, &QPushButton::clicked, this, [&a] { a.preview(); });
    connect(m_stopListening, &QPushButton::clicked, this, [&a] { a.stopPreview(); });
    m_volume = new QSlider(Qt::Horizontal, soundBox);
    m_volume->setObjectName("ucSlider1");
    m_volume->setRange(0, 255);
    connect(m_volume, &QSlider::valueChanged, this, [&a](int v) { a.setMaxVolume(v); });
    auto* soundButtons = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(choose), static_cast<QWidget*>(useDefault),
                       static_cast<QWidget*>(m_listen), static_cast<QWidget*>(m_stopListening)})
        soundButtons->addWidget(w);
    soundButtons->addStretch();
    auto* soundLayout = new QVBoxLayout(soundBox);
    soundLayout->addWidget(m_file);
    soundLayout->addLayout(soundButtons);
    soundLayout->addWidget(new QLabel("Max Alarm Volume", soundBox));
    soundLayout->addWidget(m_volume);
    soundLayout->addWidget(m_problem);

    m_playFor = new QComboBox(this);
    m_playFor->setObjectName("Combo1");
    for (const char* t : scheduling::kPlayForTexts)
        m_playFor->addItem(t);
    connect(m_playFor, &QComboBox::activated, this, [&a](int i) { a.choosePlayFor(i); });
    auto* playRow = new QHBoxLayout;
    playRow->addWidget(new QLabel(tr("Play alarm for"), this));
    playRow->addWidget(m_playFor);
    playRow->addWidget(new QLabel(tr("secs"), this));
    playRow->addStretch();

    m_repeat = box(this, "Check1", "Repeat alarm continuously");
    m_fade = box(this, "Check2", "Fade in alarm volume");
    m_close = box(this, "Check3", "Close program when alarm time is reached  ");
    m_shutdown = box(this, "Check4", "Shutdown computer when alarm time is reached  ");
    connect(m_repeat, &QCheckBox::clicked, this, [&a](bool on) { a.setRepeat(on); });
    connect(m_fade, &QCheckBox::clicked, this, [&a](bool on) { a.setFadeIn(on); });
    connect(m_close, &QCheckBox::clicked, this, [&a](bool on) { a.setCloseProgram(on); });
    connect(m_shutdown, &QCheckBox::clicked, this, [&a](bool on) { a.setShutdown(on); });

    m_stopAlarm =
        makeCommandButton(this, "chameleonButton5", tr("Stop alarm"), tr("Stop the alarm"));
    connect(m_stopAlarm, &QPushButton::clicked, this, [&a] { a.stopCommand(); });
    auto* close = makeCommandButton(this, "chameleonButton6", tr("Close"), {});
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_stopAlarm);
    bottom->addStretch();
    bottom->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(timeRow);
    layout->addWidget(soundBox);
    layout->addLayout(playRow);
    for (QWidget* w : {m_repeat, m_fade, m_close, m_shutdown})
        layout->addWidget(w);
    layout->addStretch();
    layout->addLayout(bottom);
    resize(460, 420);

    m_captionTimer = new QTimer(this);
    m_captionTimer->setInterval(1000);
    connect(m_captionTimer, &QTimer::timeout, this, [this] { showCaption(); });

    m_changed = m_alarm.changed.connect([this] { refresh(); });
    refresh();
}

AlarmView::~AlarmView() = default;

void AlarmView::applyColors(const ColorScheme& scheme) {
    applyScheme(this, scheme);
}

void AlarmView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange) return;
    // Minimised, the task bar shows the time; the timer runs only then.
    if (isMinimized())
        m_captionTimer->start();
    else
        m_captionTimer->stop();
    showCaption();
}

void AlarmView::showCaption() {
    if (!isMinimized()) {
        setWindowTitle(kCaption);
        return;
    }
    // The locale's own time with seconds: its short form and the seconds after the minutes.
    QString format = QLocale().timeFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("ss")))
        format.replace(QLatin1String("mm"), QLatin1String("mm:ss"));
    setWindowTitle(QLocale().toString(QTime::currentTime(), format));
}

void AlarmView::refresh() {
    const auto& s = m_alarm.settings();
    {
        const QSignalBlocker b1(m_hour), b2(m_minute);
        m_hour->setValue(std::stoi(s.hour));
        m_minute->setValue(std::stoi(s.minute));
    }
    const QString file = QString::fromStdString(m_alarm.soundFile());
    m_file->setText(QFileInfo(file).fileName());
    m_file->setToolTip(file);
    m_problem->setText(QString::fromStdString(m_alarm.problem()));
    m_problem->setVisible(!m_alarm.problem().empty());
    {
        const QSignalBlocker b(m_volume);
        m_volume->setValue(m_alarm.sounding() ? m_alarm.currentVolume() : s.maxVolume);
    }
    {
        const QSignalBlocker b(m_playFor);
        m_playFor->setCurrentIndex(s.playForPosition < 0 ? 0 : s.playForPosition);
    }
    m_playFor->setEnabled(!s.repeat);
    m_repeat->setChecked(s.repeat);
    m_fade->setChecked(s.fadeIn);
    m_close->setChecked(s.closeProgram);
    m_shutdown->setChecked(s.shutdown);
    m_listen->setVisible(!m_alarm.previewing());
    m_stopListening->setVisible(m_alarm.previewing());
    m_stopAlarm->setVisible(m_alarm.sounding());
}

} // namespace velmora
