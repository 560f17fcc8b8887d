#pragma once
// The window of a random bank, shown as a panel over the main window: two columns of 14
// slots (caption, "Volume", "Frequency"), the bank-wide buttons and, where it stands alone,
// its heading and the copies of the main levels. One class serves
// the four numbered banks and frmcustom; the view only binds widgets to the bank and redraws
// on its signals.
//
// Thread: UI thread.

#include "core/levels.h"
#include "core/signal.h"

#include <QLabel>
#include <QWidget>

#include <array>
#include <functional>
#include <string>
#include <vector>

class QPushButton;
class QSlider;

namespace velmora {

class RandomBankEngine;
class RandomBank;
class CustomRandomBank;

/// A caption that reports mouse presses (left previews, right renames on the custom bank).
class CaptionLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
  signals:
    void pressed(Qt::MouseButton button);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
};

/// What a bank window asks of the windows around it.
struct RandomBankViewHooks {
    std::function<void()> openIntervals; ///< Form3 (numbered) or Form33 (custom)
    std::function<void()> openIdentify;  ///< Frmsoundindent
    std::function<void()> openPicker;    ///< Form2 in Random mode (custom bank only)
};

class RandomBankView : public QWidget {
    Q_OBJECT
  public:
    /// A numbered bank's window.
    RandomBankView(RandomBank& bank, Levels& levels, RandomBankViewHooks hooks,
                   QWidget* parent = nullptr);
    /// frmcustom.
    RandomBankView(CustomRandomBank& bank, Levels& levels, RandomBankViewHooks hooks,
                   QWidget* parent = nullptr);
    ~RandomBankView() override;

  private:
    void build(const QString& title);
    QWidget* buildSlots();
    QWidget* buildCommands();
    QPushButton* command(const QString& text, const QString& tip, std::function<void()> action,
                         const char* name);
    void refreshSlot(int slot);
    void refreshAll();
    void applyColors();

    RandomBankEngine& m_bank;
    RandomBank* m_numbered = nullptr;
    CustomRandomBank* m_custom = nullptr;
    Levels& m_levels;
    RandomBankViewHooks m_hooks;
    std::array<CaptionLabel*, 28> m_captions{};
    std::array<QSlider*, 28> m_volumes{};
    std::array<QSlider*, 28> m_frequencies{};
    QPushButton* m_linkButton = nullptr;
    QPushButton* m_autoButton = nullptr;
    bool m_updating = false;
    std::vector<Connection> m_connections;
};

} // namespace velmora
