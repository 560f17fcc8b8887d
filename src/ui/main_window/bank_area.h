#pragma once
// The main window's bank area: a button per bank over the one bank panel shown. Panels are
// made when first shown or when makeAllPanels() runs; hidden panels stay alive, so their
// banks keep playing.
//
// Thread: UI thread.

#include "core/main_window/bank_panels.h"

#include <QGroupBox>

#include <functional>
#include <map>
#include <string>

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
    /// How much wider the area must grow for the widest panel made so far to fit without a
    /// sideways scroll bar; 0 or less when it fits.
    [[nodiscard]] int missingWidth() const;

  signals:
    /// A panel was made after the start: the window may have to widen for it.
    void panelMade();

  private:
    struct Panel {
        QScrollArea* area = nullptr;
        PanelMaker make; ///< empty once made
    };
    /// Makes it unless it was; true when it was made now.
    static bool make(Panel& panel);
    void showPanel(const std::string& windowName);

    BankPanels& m_panels;
    QButtonGroup* m_buttons = nullptr;
    std::map<std::string, QPushButton*> m_buttonByWindow;
    QStackedWidget* m_stack = nullptr;
    std::map<std::string, Panel> m_panelByWindow;
    Connection m_shown;
};

} // namespace velmora
