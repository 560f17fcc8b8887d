#include "tray_icon.h"

#include "ui/widgets/program_icon.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

namespace velmora {

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
    m_connections.push_back(controller.scenarios().listChanged.connect([this] { rebuild(); }));
    m_connections.push_back(controller.presets().changed.connect([this] { rebuild(); }));
    rebuild();
}

TrayIcon::~TrayIcon() {
    delete m_menu;
}

void TrayIcon::show() {
    m_icon->show();
}

void TrayIcon::setSleepMenu(QMenu* menu) {
    m_sleepMenu = menu;
    rebuild();
}

void TrayIcon::setStatus(const QString& text) {
    const QString title = QString::fromUtf8(kProgramTitle);
    m_icon->setToolTip(text.isEmpty() ? title : title + QLatin1Char('\n') + text);
}

QAction* TrayIcon::add(const QString& text, const std::function<void()>& action) {
    QAction* a = m_menu->addAction(text);
    connect(a, &QAction::triggered, this, [action] { action(); });
    return a;
}

void TrayIcon::addPresets() {
    // Only the bound presets: an unassigned one would load nothing.
    PresetButtons& presets = m_controller.presets();
    QMenu* list = nullptr;
    for (int i = 0; i < state::kPresetCount; ++i) {
        if (!presets.isAssigned(i)) continue;
        if (!list) list = m_menu->addMenu(QStringLiteral("Presets"));
        const auto& caption = presets.captions()[static_cast<std::size_t>(i)];
        connect(list->addAction(QString::fromStdString(caption)), &QAction::triggered, this,
                [&presets, i] { presets.click(i); });
    }
}

void TrayIcon::rebuild() {
    // clear() leaves submenus alive as children of the menu.
    for (QMenu* sub : m_menu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        sub->deleteLater();
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
        if (!scenarios.names().empty()) {
            QMenu* list = m_menu->addMenu(QStringLiteral("Scenarios"));
            for (const std::string& name : scenarios.names())
                connect(list->addAction(QString::fromStdString(name)), &QAction::triggered, this,
                        [&scenarios, name] {
                            if (!scenarios.canStartLoad()) return;
                            scenarios.select(name);
                            scenarios.loadSelected();
                        });
        }
        addPresets();
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
    if (m_sleepMenu) m_menu->addMenu(m_sleepMenu);
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
