#include "qt_timer_service.h"

#include <QTimer>

#include <algorithm>

namespace velmora {
namespace {

class QtTimer final : public Timer {
  public:
    QtTimer(int intervalMs, std::function<void()> onTick) : m_onTick(std::move(onTick)) {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(std::max(1, intervalMs));
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            // Copy first: the callback may destroy this timer.
            auto cb = m_onTick;
            if (cb) cb();
        });
    }
    void setInterval(int milliseconds) override {
        // QTimer::setInterval restarts a running timer, which is the contract.
        m_timer.setInterval(std::max(1, milliseconds));
    }
    int interval() const override { return m_timer.interval(); }
    void setEnabled(bool enabled) override {
        if (enabled == m_timer.isActive()) return;
        if (enabled)
            m_timer.start();
        else
            m_timer.stop();
    }
    bool isEnabled() const override { return m_timer.isActive(); }

  private:
    QTimer m_timer;
    std::function<void()> m_onTick;
};

} // namespace

std::unique_ptr<Timer> QtTimerService::createTimer(int intervalMs, std::function<void()> onTick) {
    return std::make_unique<QtTimer>(intervalMs, std::move(onTick));
}

} // namespace velmora
