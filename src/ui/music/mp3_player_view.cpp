#include "ui/music/mp3_player_view.h"

#include "ui/widgets/command_button.h"
#include "ui/widgets/lcd_display.h"
#include "ui/widgets/level_slider.h"
#include "ui/widgets/scheme_style.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

namespace velmora {

Mp3PlayerView::Mp3PlayerView(music::Mp3Player& player, Levels& levels,
                             std::function<void()> togglePlaylist, QWidget* parent)
    : QWidget(parent, Qt::Window), m_player(player) {
    setObjectName("frmmainmp3");
    setWindowTitle(tr("MP3 Player"));

    m_title = new LcdDisplay(this);
    m_title->setObjectName("lcdtitle");
    m_title->setColumns(28);
    m_time = new LcdDisplay(this);
    m_time->setObjectName("lcdtime");
    m_time->setColumns(6);
    auto* displays = new QHBoxLayout;
    displays->addWidget(m_title, 1);
    displays->addWidget(m_time);

    m_position = new QSlider(Qt::Horizontal, this);
    m_position->setObjectName("hscroll3");
    m_position->setToolTip(tr("Position in the track"));
    // Only a release seeks: a seek per pixel of a drag would stutter.
    connect(m_position, &QSlider::sliderReleased, this,
            [this] { m_player.seek(m_position->value()); });
    connect(m_position, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderMove) m_player.seek(m_position->sliderPosition());
    });

    auto* buttons = new QHBoxLayout;
    auto add = [&](const char* name, const QString& caption, const QString& tip, auto action) {
        QPushButton* b = makeCommandButton(this, name, caption, tip);
        connect(b, &QPushButton::clicked, this, action);
        buttons->addWidget(b);
        return b;
    };
    add("cmdprevious", tr("|<"), tr("Previous track"), [this] { m_player.previous(); });
    add("cmdplay", tr("Play"), tr("Play"), [this] { m_player.play(); });
    add("cmdpause", tr("Pause"), tr("Pause"), [this] { m_player.pause(); });
    add("cmdnext", tr(">|"), tr("Next track"), [this] { m_player.next(); });
    add("cmdopen", tr("Open"), tr("Play one file"), [this] { m_player.open(); });
    m_random = add("cmdrandom", tr("Random"), tr("Play the playlist in random order"),
                   [this] { m_player.toggleRandom(); });
    m_random->setCheckable(true);
    add("cmdpl", tr("PL"), tr("Show or hide the playlist"),
        [toggle = std::move(togglePlaylist)] { toggle(); });

    auto* volume = new LevelSlider(levels, Level::Mp3, "hscroll1", Qt::Horizontal, this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(displays);
    layout->addWidget(m_position);
    layout->addLayout(buttons);
    layout->addWidget(volume);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_connections.push_back(m_player.changed.connect([this] { redraw(); }));
    m_connections.push_back(
        m_player.timeChanged.connect([this](const std::string& t) { showTime(t); }));
    redraw();
    showTime(m_player.time());
}

void Mp3PlayerView::applyColors(const ColorScheme& scheme) {
    applyScheme(this, scheme);
    m_title->setScheme(scheme);
    m_time->setScheme(scheme);
}

void Mp3PlayerView::redraw() {
    m_title->setText(QString::fromStdString(m_player.display()));
    m_random->setChecked(m_player.randomOn());
    m_position->setMaximum(static_cast<int>(std::floor(m_player.duration())));
}

void Mp3PlayerView::showTime(const std::string& time) {
    m_time->setText(QString::fromStdString(time));
    if (!m_position->isSliderDown())
        m_position->setValue(static_cast<int>(std::floor(m_player.position())));
}

} // namespace velmora
