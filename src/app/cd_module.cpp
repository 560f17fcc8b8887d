#include "app/cd_module.h"

#include "cd/engine_cd_output.h"
#include "core/main_window/main_window_controller.h"
#include "ui/cd/cd_view.h"
#include "ui/widgets/scheme_style.h"

namespace velmora {

CdModule::CdModule(MainWindowController& main, Services& services, QWidget* host)
    : m_main(main), m_s(services), m_host(host),
      m_output(std::make_unique<cd::EngineCdOutput>(services.engine)),
      m_player(std::make_unique<cd::CdPlayer>(services, m_drives, *m_output)) {
    main.windows().add("frmcd", WindowEntry{[this] { show(); },
                                            [this] {
                                                if (m_view) m_view->hide();
                                            },
                                            {},
                                            [this] {
                                                if (m_view) m_view->close();
                                            }});
    m_status = m_player->changed.connect(
        [this] { m_main.displays().setCdText(m_player->noDrive() ? cd::kNoDriveLabel : ""); });
    // "No CD Drive" shows from the start, not only once someone opens the CD window.
    m_player->findDrives();
    m_colours = main.colorsChanged.connect([this](const ColorScheme& scheme) {
        if (m_view) m_view->setScheme(scheme);
    });
}

CdModule::~CdModule() {
    // The view goes first: it reads the player as it closes.
    m_view.reset();
}

void CdModule::show() {
    if (!m_view) {
        m_view = std::make_unique<CdView>(*m_player, m_s.levels, m_s.settings, m_host);
        m_view->setScheme(m_main.colorScheme());
    }
    m_view->open();
}

} // namespace velmora
