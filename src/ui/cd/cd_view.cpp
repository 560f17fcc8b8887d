#include "ui/cd/cd_view.h"

#include "ui/startup/window_position.h"
#include "ui/widgets/command_button.h"
#include "ui/widgets/lcd_display.h"
#include "ui/widgets/level_slider.h"
#include "ui/widgets/scheme_style.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>

#include <filesystem>

namespace velmora {

namespace {
QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

/// "/dev/sr0" as "SR0": the name a user reads on the drive button.
QString driveCaption(const std::string& device) {
    const auto name = std::filesystem::path(device).filename().string();
    return qs(name.empty() ? device : name).toUpper();
}
} // namespace

CdView::CdView(cd::CdPlayer& player, Levels& levels, SettingsStore& settings, QWidget* parent)
    : QWidget(parent, Qt::Window), m_player(player), m_settings(settings) {
    setObjectName(QStringLiteral("frmcd"));
    setWindowTitle(tr("CD Player"));

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(10, 10, 10, 10);
    root->setSpacing(8);

    auto* drives = new QGroupBox(tr("Drives"), this);
    m_driveRow = new QHBoxLayout(drives);
    m_driveRow->setSpacing(6);
    auto* image = makeCommandButton(drives, "cmdImage", tr("Image..."),
                                    tr("Play a CD image (.cue sheet with its .bin)"));
    connect(image, &QPushButton::clicked, this, [this] { m_player.openImage(); });
    m_driveRow->addStretch(1);
    m_driveRow->addWidget(image);
    root->addWidget(drives);

    m_display = new LcdDisplay(this);
    m_display->setObjectName(QStringLiteral("Label1"));
    m_display->setColumns(26);
    root->addWidget(m_display);

    auto* transport = new QHBoxLayout;
    transport->setSpacing(6);
    struct Command {
        const char* name;
        const char* caption;
        const char* tip;
        void (cd::CdPlayer::*action)();
    };
    const Command commands[] = {
        {"cmdPrevious", "Previous", "Previous track", &cd::CdPlayer::previous},
        {"cmdPlay", "Play", "Play the CD", &cd::CdPlayer::play},
        {"cmdPause", "Pause", "Pause the CD", &cd::CdPlayer::pause},
        {"cmdStop", "Stop", "Stop the CD", &cd::CdPlayer::stop},
        {"cmdNext", "Next", "Next track", &cd::CdPlayer::next},
        {"cmdEject", "Eject", "Eject the CD", &cd::CdPlayer::eject},
    };
    for (const auto& c : commands) {
        auto* button = makeCommandButton(this, c.name, tr(c.caption), tr(c.tip));
        connect(button, &QPushButton::clicked, this, [this, a = c.action] { (m_player.*a)(); });
        transport->addWidget(button);
        if (c.action == &cd::CdPlayer::play) m_play = button;
        if (c.action == &cd::CdPlayer::pause) m_pause = button;
    }
    root->addLayout(transport);

    m_volume =
        new LevelSlider(levels, Level::Cd, QStringLiteral("ucSlider1"), Qt::Horizontal, this);
    m_volume->setToolTip(tr("CD volume"));
    root->addWidget(m_volume);

    m_changed = m_player.changed.connect([this] { redraw(); });
    redraw();
}

void CdView::open() {
    m_player.load();
    if (!m_placed) {
        adjustSize();
        restoreWindowPosition(this, m_settings);
        m_placed = true;
    }
    show();
    raise();
    activateWindow();
}

void CdView::setScheme(const ColorScheme& scheme) {
    applyScheme(this, scheme);
    m_display->setScheme(scheme);
}

void CdView::closeEvent(QCloseEvent* event) {
    saveWindowPosition(this, m_settings);
    m_player.unload();
    event->accept();
}

void CdView::redraw() {
    m_display->setText(qs(m_player.display()));
    // Play and pause share a place: the one that makes sense now is shown.
    m_play->setVisible(!m_player.isPlaying());
    m_pause->setVisible(m_player.isPlaying());
    m_volume->setEnabled(!m_player.isLoaded() || m_player.hasVolumeControl());
    if (m_shownDrives != m_player.drives()) rebuildDrives();
}

void CdView::rebuildDrives() {
    for (auto* b : m_driveButtons)
        delete b;
    m_driveButtons.clear();
    m_shownDrives = m_player.drives();
    int i = 0;
    for (const auto& device : m_shownDrives) {
        auto* b = makeCommandButton(m_driveRow->parentWidget(), "cmdDrive", driveCaption(device),
                                    qs(device));
        connect(b, &QPushButton::clicked, this, [this, device] { m_player.chooseDrive(device); });
        m_driveRow->insertWidget(i++, b);
        m_driveButtons.push_back(b);
    }
}

} // namespace velmora
