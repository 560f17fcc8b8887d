#pragma once
// The CD player wired into the program: the drives through libcdio, the engine's CD
// channel, the player and its window, registered so the main window's CD button opens it.
//
// Thread: UI thread.

#include "cd/cd_player.h"
#include "platform/cd/libcdio_drives.h"

#include <memory>

class QWidget;

namespace velmora {

class CdView;
class MainWindowController;

class CdModule {
  public:
    /// host: the window the CD window belongs to (it is made on first show).
    CdModule(MainWindowController& main, Services& services, QWidget* host);
    ~CdModule();
    CdModule(const CdModule&) = delete;
    CdModule& operator=(const CdModule&) = delete;

    [[nodiscard]] cd::CdPlayer& player() { return *m_player; }

  private:
    void show();

    MainWindowController& m_main;
    Services& m_s;
    QWidget* m_host;
    cd::LibcdioDrives m_drives;
    std::unique_ptr<cd::CdOutput> m_output;
    std::unique_ptr<cd::CdPlayer> m_player;
    std::unique_ptr<CdView> m_view;
    Connection m_colours;
    Connection m_status;
};

} // namespace velmora
