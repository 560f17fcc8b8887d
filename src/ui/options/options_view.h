#pragma once
// The options window (FRMOPTIONS) over OptionsController: four pages chosen by the page
// buttons, and help, updater and close along the bottom.
//
// Thread: UI thread.

#include "core/startup/options_controller.h"
#include "desktop/keep_awake.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;

namespace velmora {

class OptionsView : public QDialog {
    Q_OBJECT
  public:
    /// keepAwake: the sleep option on the start-up page; none without it.
    explicit OptionsView(OptionsController& controller, QWidget* parent = nullptr,
                         desktop::KeepAwake* keepAwake = nullptr);

    /// Opens (or raises) the window with the controller's current state.
    void open() override;

  protected:
    void done(int result) override;

  private:
    void redraw();

    OptionsController& m_controller;
    desktop::KeepAwake* m_keepAwake;
    QCheckBox* m_keepAwakeBox = nullptr;
    QStackedWidget* m_pages;
    QCheckBox *m_check1, *m_check2, *m_check20, *m_check4, *m_check5, *m_startup;
    QCheckBox* m_crossfade;
    QSpinBox* m_crossfadeSeconds;
    QLineEdit* m_text1;
    QLabel *m_label6, *m_label5;
    QRadioButton* m_display[2];
    QPushButton* m_pageButtons[OptionsController::kPageCount];
    Connection m_changed;
};

} // namespace velmora
