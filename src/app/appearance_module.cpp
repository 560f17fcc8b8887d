#include "appearance_module.h"

#include "core/main_window/main_window_controller.h"
#include "ui/appearance/scheme_editor_view.h"

namespace velmora {

namespace {
constexpr const char* kEditorWindow = "frmDemo";
}

AppearanceModule::AppearanceModule(Services& services, MainWindowController& main, QWidget* host)
    : m_s(services), m_main(main), m_host(host), m_editor(services),
      m_scenarioColors(m_editor, main) {
    m_editor.setApplyAll([&main](const ColorScheme& scheme) { main.docolors(scheme); });
    main.windows().add(kEditorWindow, WindowEntry{[this] { show(); }, {}, {}, [this] { close(); }});
}

AppearanceModule::~AppearanceModule() = default;

void AppearanceModule::loaded() {
    m_editor.load(m_main.colorScheme());
    if (!(m_editor.scheme() == m_main.colorScheme())) m_main.docolors(m_editor.scheme());
    // colors.tmp is written at quit whether or not the window was ever shown.
    m_main.windows().markOpen(kEditorWindow);
}

void AppearanceModule::show() {
    if (!m_view) m_view = std::make_unique<SchemeEditorView>(m_editor, m_s.settings, m_host);
    m_view->open();
}

void AppearanceModule::close() {
    if (m_view) {
        m_view->saveState();
        m_view->close();
    }
    (void)m_editor.unload();
}

} // namespace velmora
