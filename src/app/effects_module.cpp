#include "effects_module.h"

namespace velmora {

EffectsModule::EffectsModule(Services& services, MainWindowController& main)
    : m_s(services), m_main(main), m_controller(services) {
    m_status = m_controller.statusChanged.connect(
        [this](const std::string& equaliser, const std::string& reverb) {
            m_main.displays().setEffectsText(equaliser, reverb);
        });
}

void EffectsModule::wire() {
    m_main.windows().add(effects::EffectsController::kWindowName,
                         WindowEntry{[this] { show(); },
                                     [this] {
                                         if (m_view) m_view->hide();
                                     },
                                     [this] { load(); }, [this] { close(); }});
}

void EffectsModule::load() {
    if (m_loaded) return;
    m_loaded = true;
    m_controller.load();
}

void EffectsModule::show() {
    load();
    if (!m_view) {
        m_view = std::make_unique<EffectsView>(m_controller, m_s.settings);
        m_view->docolors(m_main.colorScheme());
        m_colors = m_main.colorsChanged.connect(
            [this](const ColorScheme& scheme) { m_view->docolors(scheme); });
    }
    m_view->open();
}

void EffectsModule::close() {
    if (m_view) {
        m_view->savePosition();
        m_view->hide();
    }
    if (m_loaded) m_controller.unload();
}

} // namespace velmora
