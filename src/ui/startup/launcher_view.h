#pragma once
// The system-check window (frmLauncher) over LauncherController.
//
// Thread: UI thread.

#include "core/startup/launcher.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace velmora {

class LauncherView : public QDialog {
    Q_OBJECT
  public:
    explicit LauncherView(LauncherController& controller, QWidget* parent = nullptr);

  protected:
    /// The window's close box is the Close command.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

  private:
    LauncherController& m_controller;
    bool m_closing = false;
};

} // namespace velmora
