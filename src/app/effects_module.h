#pragma once
// The effects window wired in: its controller, loaded unseen with the main window, its view
// made on first show, its status lines on the main window, its colours kept with the
// scheme, and its files written at quit.
//
// Thread: UI thread.

#include "core/main_window/main_window_controller.h"
#include "effects/effects_controller.h"
#include "ui/effects/effects_view.h"

#include <memory>

namespace velmora {

class EffectsModule {
  public:
    EffectsModule(Services& services, MainWindowController& main);
    /// Joins the main window's windows as "frmeffects".
    void wire();
    [[nodiscard]] effects::EffectsController& controller() { return m_controller; }

  private:
    void load();
    void show();
    void close();

    Services& m_s;
    MainWindowController& m_main;
    effects::EffectsController m_controller;
    std::unique_ptr<EffectsView> m_view;
    bool m_loaded = false;
    Connection m_status;
    Connection m_colors;
};

} // namespace velmora
