#include "sleep_timer_menu.h"

#include <QActionGroup>

namespace velmora {

using scheduling::SleepAction;

SleepTimerMenu::SleepTimerMenu(scheduling::SleepTimer& timer, QWidget* parent)
    : QMenu(tr("Sleep timer"), parent), m_timer(timer) {
    setObjectName("mnusleep");
    for (int minutes : scheduling::kSleepMinutes)
        addAction(tr("%1 minutes").arg(minutes), this,
                  [this, minutes] { m_timer.start(minutes, m_action); });
    addAction(tr("Custom..."), this, [this] { (void)m_timer.startCustom(m_action); });
    addSeparator();
    auto* group = new QActionGroup(this);
    const QString texts[] = {tr("Then stop all sounds"), tr("Then quit Velmora"),
                             tr("Then suspend the computer"), tr("Then shut the computer down")};
    const SleepAction actions[] = {SleepAction::StopAll, SleepAction::Quit, SleepAction::Suspend,
                                   SleepAction::PowerOff};
    for (std::size_t i = 0; i < m_actions.size(); ++i) {
        m_actions[i] = addAction(texts[i]);
        m_actions[i]->setCheckable(true);
        m_actions[i]->setChecked(actions[i] == m_action);
        group->addAction(m_actions[i]);
        connect(m_actions[i], &QAction::triggered, this, [this, a = actions[i]] { m_action = a; });
    }
    addSeparator();
    m_cancel = addAction(tr("Cancel sleep timer"), this, [this] { m_timer.cancel(); });
    m_changed = m_timer.changed.connect([this] { refresh(); });
    refresh();
}

void SleepTimerMenu::refresh() {
    m_cancel->setEnabled(m_timer.running());
    setTitle(m_timer.running() ? QString::fromStdString(m_timer.remainingText())
                               : tr("Sleep timer"));
}

} // namespace velmora
