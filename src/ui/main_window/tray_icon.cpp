#include "tray_icon.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QSystemTrayIcon>

namespace velmora {

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 22, 32, 48, 64}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r(0.5, 0.5, size - 1.0, size - 1.0);
        QRadialGradient g(r.center(), size / 2.0);
        g.setColorAt(0, QColor(0x3f, 0x8f, 0xd8));
        g.setColorAt(1, QColor(0x1b, 0x3c, 0x6b));
        p.setBrush(g);
        p.setPen(Qt::NoPen);
        p.drawEllipse(r);
        // Three soft waves across the disc.
        QPen wave(QColor(0xe8, 0xf4, 0xff), std::max(1.0, size / 14.0));
        wave.setCapStyle(Qt::RoundCap);
        p.setPen(wave);
        p.setBrush(Qt::NoBrush);
        for (int i = -1; i <= 1; ++i) {
            QPainterPath path;
            const double y = size / 2.0 + i * size / 5.0;
            path.moveTo(size * 0.2, y);
            path.cubicTo(size * 0.4, y - size * 0.12, size * 0.6, y + size * 0.12, size * 0.8, y);
            p.drawPath(path);
        }
        icon.addPixmap(pm);
    }
    return icon;
}

TrayIcon::TrayIcon(MainWindowController& controller, QObject* parent)
    : QObject(parent), m_controller(controller), m_menu(new QMenu),
      m_icon(new QSystemTrayIcon(programIcon(), this)) {
    m_menu->setObjectName(QStringLiteral("mnutray"));
    m_icon->setToolTip(QString::fromUtf8(kProgramTitle));
    m_icon->setContextMenu(m_menu);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger || r == QSystemTrayIcon::DoubleClick)
            m_controller.commands().showMain();
    });
    m_connections.push_back(controller.mute().changed.connect([this](bool muted) {
        if (m_mute) m_mute->setChecked(muted);
    }));
    m_connections.push_back(
        controller.windows().added.connect([this](const std::string&) { rebuild(); }));
    rebuild();
}

TrayIcon::~TrayIcon() {
    delete m_menu;
}

void TrayIcon::show() {
    m_icon->show();
}

QAction* TrayIcon::add(const QString& text, const std::function<void()>& action) {
    QAction* a = m_menu->addAction(text);
    connect(a, &QAction::triggered, this, [action] { action(); });
    return a;
}

void TrayIcon::rebuild() {
    m_menu->clear();
    MainWindowController& c = m_controller;
    WindowCommands& commands = c.commands();
    ScenarioList& scenarios = c.scenarios();
    add(QStringLiteral("Show Main"), [&commands] { commands.showMain(); });
    if (c.windows().has(kRemoteWindow))
        add(QStringLiteral("Show Remote"), [&commands] { commands.showRemote(); });
    if (scenarios.canLoad()) {
        m_menu->addSeparator();
        add(QStringLiteral("Load Scenario From Disk"), [&scenarios] { scenarios.loadSelected(); });
        add(QStringLiteral("Load Random Scenario"), [&scenarios] { scenarios.loadRandom(); });
    }
    if (VisualModeCommands* visual = commands.visualMode()) {
        m_menu->addSeparator();
        add(QStringLiteral("Slideshow"), [visual] { visual->slideshow(); });
        add(QStringLiteral("Panoramic"), [visual] { visual->panoramic(); });
        if (c.windows().has("Formfolderselect"))
            add(QStringLiteral("Select a Slideshow"),
                [&c] { c.windows().show("Formfolderselect"); });
    }
    m_menu->addSeparator();
    MuteSwitch& mute = c.mute();
    m_mute = add(QStringLiteral("Mute"), [&mute] { mute.toggle(); });
    m_mute->setCheckable(true);
    m_mute->setChecked(mute.isMuted());
    // The action's own toggle must not run ahead of the controller's state.
    connect(m_mute, &QAction::triggered, this,
            [this, &mute] { m_mute->setChecked(mute.isMuted()); });
    add(QStringLiteral("Quit App"), [&c] { c.quit(); });
}

} // namespace velmora
