#include "soundscape.h"

namespace velmora {

namespace {

// The two automatic-randomise switches as the saved state restores and saves them and the
// main window shows them; each reads its period and threshold from its own settings dialog.
class DialogSwitch : public AutoRandomiseSwitch {
  public:
    explicit DialogSwitch(IntervalSettings& dialog) : m_dialog(dialog) {}
    int periodMinutes() const override { return m_dialog.periodMinutes(); }
    void setPeriodMinutes(int minutes) override { (void)m_dialog.setPeriodMinutes(minutes); }
    int dialogSlider() const override { return m_dialog.threshold(); }
    void setDialogSlider(int value) override { m_dialog.setThreshold(value); }

  private:
    IntervalSettings& m_dialog;
};

class NumberedSwitch final : public DialogSwitch {
  public:
    NumberedSwitch(AutoRandomizeGroup& group, IntervalSettings& form3)
        : DialogSwitch(form3), m_group(group),
          m_switched(group.changed.connect([this](bool) { changed(); })) {}
    bool isOn() const override { return m_group.enabled(); }
    void restore(bool on) override { m_group.setEnabled(on); }

  private:
    AutoRandomizeGroup& m_group;
    Connection m_switched;
};

/// OK in Form33 restarts the bank without switching it, so the dialog tells of it too.
class CustomSwitch final : public DialogSwitch {
  public:
    CustomSwitch(CustomRandomBank& bank, IntervalSettings& form33)
        : DialogSwitch(form33), m_bank(bank),
          m_switched(bank.autoRandomizeChanged.connect([this](bool) { changed(); })),
          m_confirmed(form33.confirmed.connect([this] { changed(); })) {}
    bool isOn() const override { return m_bank.autoRandomizeOn(); }
    void restore(bool on) override { m_bank.setAutoRandomize(on); }

  private:
    CustomRandomBank& m_bank;
    Connection m_switched;
    Connection m_confirmed;
};

} // namespace

Soundscape::Soundscape(Services& services)
    : m_random(services), m_backgroundOne(services, backgroundBankOne()),
      m_backgroundTwo(services, backgroundBankTwo()), m_bw(services), m_customBackground(services),
      m_randomSwitch(std::make_unique<NumberedSwitch>(m_random.autoRandomize(), m_random.form3())),
      m_customSwitch(std::make_unique<CustomSwitch>(m_random.custom(), m_random.form33())) {
    m_banks = {&m_backgroundOne, &m_backgroundTwo, &m_bw};
    for (Bank* bank : m_random.all())
        m_banks.push_back(bank);
    m_banks.push_back(&m_customBackground);
}

Soundscape::~Soundscape() = default;

SoundscapeLinks Soundscape::links() const {
    return {m_banks, m_randomSwitch.get(), m_customSwitch.get()};
}

} // namespace velmora
