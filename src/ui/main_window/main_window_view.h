#pragma once
// frmmain as the user sees it: displays along the top, the scenario list on the left, the
// bank buttons over the bank area in the middle (one bank panel shown at a time), the global
// levels on the right and the commands along the bottom. It holds no behaviour: every
// action calls MainWindowController, every change comes back through its signals.
//
// Thread: UI thread.

#include "core/main_window/main_window_controller.h"

#include <QWidget>

#include <map>
#include <string>
#include <vector>

class QHBoxLayout;
class QMenu;
class QListWidget;
class QVBoxLayout;
class QPushButton;

namespace velmora {

class BankArea;
class LcdDisplay;
class LevelSlider;
class StatusStrip;

class MainWindowView : public QWidget {
    Q_OBJECT
  public:
    MainWindowView(MainWindowController& controller, Levels& levels, QWidget* parent = nullptr);
    ~MainWindowView() override;

    /// The bank buttons and the bank panel shown; panels are added there.
    [[nodiscard]] BankArea& bankArea() { return *m_bankArea; }
    /// Adds the buttons of windows that exist now (call again after wiring more windows).
    void refreshWindowButtons();
    /// Puts part under the scenario list (the scenario and preset commands).
    void addScenarioPart(QWidget* part);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    /// Grows the window, as far as the screen allows, until every bank panel fits without a
    /// scroll bar. Done at the first show, when the colours and fonts that decide the
    /// panels' sizes are in place, and again for a panel made later.
    void fitPanels();
    QWidget* buildDisplays();
    QWidget* buildScenarios();
    QWidget* buildLevels();
    QWidget* buildCommands();
    void showScenarios();
    void fitScenarioWidth();
    void showAlarm(bool enabled);
    void applyColors(const ColorScheme& scheme);

    MainWindowController& m_controller;
    Levels& m_levels;
    std::map<Display, LcdDisplay*> m_displays;
    StatusStrip* m_status = nullptr;
    QListWidget* m_scenarioList = nullptr;
    QVBoxLayout* m_scenarioBox = nullptr;
    QPushButton* m_loadScenario = nullptr;
    QPushButton* m_randomScenario = nullptr;
    BankArea* m_bankArea = nullptr;
    bool m_fitted = false;
    bool m_painted = false;
    QHBoxLayout* m_windowButtonRow = nullptr;
    QHBoxLayout* m_visualButtonRow = nullptr;
    QMenu* m_visualMenu = nullptr; ///< filled once the visual mode joins
    std::map<std::string, QPushButton*> m_windowButtonByWindow;
    QPushButton* m_alarmOn = nullptr;
    QPushButton* m_alarmOff = nullptr;
    std::vector<Connection> m_connections;
};

} // namespace velmora
