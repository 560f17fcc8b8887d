#pragma once
// The window of a drifting background bank as a panel: bank one (`frmback`), bank two
// (`frmback2`) and the custom background bank (`frmbackcustom`). One row per slot (switch
// and name, volume, balance, rate of change, volume range), the group commands above their
// columns, the file commands and, where the panel stands alone, the copies of the main
// window's levels.
//
// The view holds no behaviour: moves call the controller, and the controller's change
// notices redraw the rows. Drift moves volumes up to 7 000 times a second, so redraws are
// gathered and made at most every 40 ms, and not at all while the panel is hidden.
//
// Thread: UI thread.

#include "banks/background/background_bank.h"
#include "banks/background/custom_background_bank.h"

#include <QWidget>

#include <bitset>
#include <functional>
#include <vector>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QSlider;
class QTimer;

namespace velmora {

class BackgroundBankView : public QWidget {
    Q_OBJECT
  public:
    BackgroundBankView(BackgroundBank& bank, Levels& levels, QWidget* parent = nullptr);
    BackgroundBankView(CustomBackgroundBank& bank, Levels& levels, QWidget* parent = nullptr);
    ~BackgroundBankView() override;

    /// Redraws every pending row now (tests; the timer does it otherwise).
    void flush();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    struct Row {
        QCheckBox* on = nullptr;
        QPushButton* choose = nullptr;
        QSlider* volume = nullptr;
        QSlider* pan = nullptr;
        QSlider* rate = nullptr;
        QScrollBar* low = nullptr;
        QScrollBar* high = nullptr;
        QLabel* lowText = nullptr;
        QLabel* highText = nullptr;
    };
    struct Hooks {
        std::function<QString(int)> name;
        std::function<QString(int)> toolTip;
        std::function<void(int)> chooseSound; ///< empty on banks with fixed sounds
        std::function<void()> save;
        std::function<void()> load;
        std::function<void()> firstShow;
    };

    BackgroundBankView(BackgroundSlots& bank, Levels& levels, const std::string& window,
                       Hooks hooks, QWidget* parent);
    void build(Levels& levels);
    QWidget* buildRows();
    QWidget* buildCommands();
    void markDirty(int slot);
    void markAllDirty();
    void redraw(int slot);
    void applyColors();

    BackgroundSlots& m_bank;
    Hooks m_hooks;
    std::vector<Row> m_rows;
    std::bitset<BackgroundSlots::kAudibleSlots + 1> m_dirty;
    QTimer* m_redrawTimer = nullptr;
    bool m_shownOnce = false;
    QString m_inactiveLook;
    std::vector<Connection> m_connections;
};

} // namespace velmora
