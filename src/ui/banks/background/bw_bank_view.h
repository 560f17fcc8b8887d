#pragma once
// The tone bank's window (`frmbackbw`) as a panel: sixteen tones in four bands, each with its
// switch, volume and balance; the group commands; the copies of the main window's levels;
// the buttons to the other bank panels.
//
// Thread: UI thread.

#include "banks/background/bw_bank.h"
#include "ui/banks/bank_navigation.h"

#include <QString>
#include <QWidget>

#include <vector>

class QCheckBox;
class QSlider;

namespace velmora {

class BwBankView : public QWidget {
    Q_OBJECT
  public:
    /// navigation: how the row of bank buttons reaches the other panels.
    BwBankView(BwBank& bank, Levels& levels, const BankNavigation& navigation = {},
               QWidget* parent = nullptr);
    ~BwBankView() override;

  private:
    struct Row {
        QCheckBox* on = nullptr;
        QSlider* volume = nullptr;
        QSlider* pan = nullptr;
    };
    void redraw(int slot);
    void applyColors();

    BwBank& m_bank;
    std::vector<Row> m_rows;
    QString m_inactiveLook;
    std::vector<Connection> m_connections;
};

} // namespace velmora
