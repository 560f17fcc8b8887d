#pragma once
// frmmain as the user sees it: displays along the top, the scenario list on the left, the
// bank buttons over the bank area in the middle (one bank panel shown at a time), the global
// levels on the right and the commands along the bottom. It holds no behaviour: every
// action calls MainWindowController, every change comes back through its signals.
//
// Thread: UI thread.

#include "core/main_window/main_window_controller.h"

#include <QWidget>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QButtonGroup;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollArea;
class QStackedWidget;

namespace velmora {

class LcdDisplay;
class LevelSlider;

class MainWindowView : public QWidget {
    Q_OBJECT
  public:
    MainWindowView(MainWindowController& controller, Levels& levels, QWidget* parent = nullptr);
    ~MainWindowView() override;

    /// Makes a bank's panel; its objectName is its window name.
    using PanelMaker = std::function<QWidget*()>;
    /// Hosts a bank's panel in the bank area. The panel is made when first shown or, for
    /// the others, once the main window is on screen, so they cost nothing at start.
    void addBankPanel(const std::string& windowName, PanelMaker make);
    /// Makes every panel not made yet (done by itself shortly after the first paint).
    void makeAllPanels();
    /// The panel currently shown, or nullptr.
    [[nodiscard]] QWidget* shownPanel() const;
    /// Adds the buttons of windows that exist now (call again after wiring more windows).
    void refreshWindowButtons();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    /// Widens the window, as far as the screen allows, until the widest bank panel fits
    /// without a sideways scroll bar. Done at the first show, when the colours and fonts
    /// that decide the panels' sizes are in place.
    void fitWidth();
    QWidget* buildDisplays();
    QWidget* buildScenarios();
    QWidget* buildBanks();
    QWidget* buildLevels();
    QWidget* buildCommands();
    QPushButton* makeButton(const char* objectName, const QString& caption, const QString& toolTip);
    void showPanel(const std::string& windowName);
    void showScenarios();
    void showAlarm(bool enabled);
    void applyColors(const ColorScheme& scheme);

    MainWindowController& m_controller;
    Levels& m_levels;
    std::map<Display, LcdDisplay*> m_displays;
    QListWidget* m_scenarioList = nullptr;
    QPushButton* m_loadScenario = nullptr;
    QPushButton* m_randomScenario = nullptr;
    QStackedWidget* m_bankArea = nullptr;
    QLabel* m_noPanel = nullptr;
    QButtonGroup* m_bankButtons = nullptr;
    std::map<std::string, QPushButton*> m_bankButtonByWindow;
    struct Panel {
        QScrollArea* area = nullptr;
        PanelMaker make; ///< empty once made
    };
    /// The panel of that window, made now if it was not yet; nullptr for an unknown window.
    QWidget* panel(const std::string& windowName);
    /// Makes it unless it was; true when it was made now.
    static bool make(Panel& panel);
    std::map<std::string, Panel> m_panelByWindow;
    bool m_fitted = false;
    bool m_painted = false;
    QHBoxLayout* m_windowButtonRow = nullptr;
    std::map<std::string, QPushButton*> m_windowButtonByWindow;
    QPushButton* m_alarmOn = nullptr;
    QPushButton* m_alarmOff = nullptr;
    std::vector<Connection> m_connections;
};

} // namespace velmora
