#pragma once
// The tone bank's window (`frmbackbw`) as a panel: sixteen tones in four bands, each with its
// switch, volume and balance; the group commands; where it stands alone, the copies of the
// main window's levels.
//
// Thread: UI thread.

#include "banks/background/bw_bank.h"

#include <QString>
#include <QWidget>

#include <vector>

class QCheckBox;
class QSlider;

namespace velmora {

class BwBankView : public QWidget {
    Q_OBJECT
  public:
    BwBankView(BwBank& bank, Levels& levels, QWidget* parent = nullptr);
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
