#pragma once
// The random banks' windows for the main window to host: the five bank panels and the
// picker, interval dialogs and identify window, each created on first use.
//
// Thread: UI thread.

#include <QObject>

#include <memory>

class QWidget;

namespace velmora {

class IntervalDialog;
class Levels;
class RandomBankView;
class RandomBanks;
class SettingsStore;
class SoundIdentifyWindow;
class SoundPickerDialog;

class RandomWindows {
  public:
    RandomWindows(RandomBanks& banks, Levels& levels, SettingsStore& settings,
                  QWidget* parent = nullptr);
    ~RandomWindows();

    /// bank 1..4: frmrandommain..frmrandommain4. Made on first use.
    [[nodiscard]] RandomBankView& bankView(int number);
    /// frmcustom.
    [[nodiscard]] RandomBankView& customView();

    void showIdentify();
    void showIntervals(bool custom);
    /// Form2 in Random mode (the custom random bank's "Load mutliple files at once").
    void showPicker();
    /// Form2 in Back mode (the custom background bank).
    void showBackgroundPicker();

  private:
    /// n 1..5, 5 being the custom bank.
    RandomBankView& view(int n);

    RandomBanks& m_banks;
    Levels& m_levels;
    SettingsStore& m_settings;
    QWidget* m_parent;
    std::unique_ptr<RandomBankView> m_views[5];
    std::unique_ptr<IntervalDialog> m_form3;
    std::unique_ptr<IntervalDialog> m_form33;
    std::unique_ptr<SoundPickerDialog> m_picker;
    std::unique_ptr<SoundIdentifyWindow> m_identify;
};

} // namespace velmora
