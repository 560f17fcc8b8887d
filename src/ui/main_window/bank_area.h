#pragma once
// The main window's bank area: a tab per kind of bank, the four random themes under
// "Random Sounds" while one of them is shown, and below them the one bank panel shown.
// Panels are made when first shown or when makeAllPanels() runs; hidden panels stay alive,
// so their banks keep playing.
//
// Thread: UI thread.

#include "core/main_window/bank_panels.h"
#include "ui/banks/bank_navigation.h"

#include <QGroupBox>

#include <functional>
#include <map>
#include <string>
#include <vector>

class QButtonGroup;
class QPushButton;
class QScrollArea;
class QStackedWidget;

namespace velmora {

class BankArea : public QGroupBox {
    Q_OBJECT
  public:
    /// Makes a bank's panel; its objectName is its window name.
    using PanelMaker = std::function<QWidget*()>;

    BankArea(BankPanels& panels, QWidget* parent);
    ~BankArea() override;

    /// Hosts the panel of windowName, made by make when first needed.
    void addPanel(const std::string& windowName, PanelMaker make);
    /// Makes every panel not made yet.
    void makeAllPanels();
    /// The panel currently shown, or nullptr.
    [[nodiscard]] QWidget* shownPanel() const;
    /// How much wider and taller the area must grow for every panel made so far to fit
    /// without a scroll bar; 0 or less in a direction where they fit.
    [[nodiscard]] QSize missingSize() const;
    /// Room for the tabs and for every panel made so far without a scroll bar.
    [[nodiscard]] QSize sizeHint() const override;

  signals:
    /// A panel was made after the start: the window may have to widen for it.
    void panelMade();

  private:
    struct Panel {
        QScrollArea* area = nullptr;
        PanelMaker make; ///< empty once made
    };
    /// A row of checkable buttons of which at most one is lit.
    struct ButtonRow {
        QWidget* widget = nullptr;
        QButtonGroup* group = nullptr;
        std::map<std::string, QPushButton*> byWindow;
        /// Lights window's button, or none when the row has no button for it; true if lit.
        bool light(const std::string& window);
    };
    ButtonRow makeButtonRow(const std::vector<BankTab>& tabs);
    /// The room in the stack every panel made so far needs.
    [[nodiscard]] QSize panelsNeed() const;
    /// Makes it unless it was; true when it was made now.
    static bool make(Panel& panel);
    void showPanel(const std::string& windowName);

    BankPanels& m_panels;
    ButtonRow m_tabs;
    ButtonRow m_themes;
    QStackedWidget* m_stack = nullptr;
    std::map<std::string, Panel> m_panelByWindow;
    Connection m_shown;
};

} // namespace velmora
