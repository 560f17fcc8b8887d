#pragma once
// The rows of small buttons that run a bank's group commands, shared by every background
// bank view.
//
// Thread: UI thread.

#include "banks/background/background_slots.h"

#include <QString>

#include <functional>
#include <span>

class QWidget;
class QPushButton;

namespace velmora {

struct GroupButton {
    GroupCommand command;
    const char* objectName;
    const char* glyph;   ///< the button's face
    const char* toolTip; ///< the command's label
};

/// A row of buttons, each calling run(command).
[[nodiscard]] QWidget* makeGroupButtonRow(std::span<const GroupButton> buttons,
                                          const std::function<void(GroupCommand)>& run,
                                          QWidget* parent);
/// One plain command button with a tool tip and an object name.
[[nodiscard]] QPushButton* makeCommandButton(const QString& glyph, const QString& toolTip,
                                             const QString& objectName, QWidget* parent);

// The group commands, grouped as the windows show them.
inline constexpr GroupButton kVolumeButtons[] = {
    {GroupCommand::VolumeMin, "cmdVolumeMin", "Min", "Set all volumes on this form to minimum"},
    {GroupCommand::VolumeDown, "cmdVolumeDown", "\u2212", "All volumes down"},
    {GroupCommand::VolumeUp, "cmdVolumeUp", "+", "All volumes up"},
    {GroupCommand::VolumeMax, "cmdVolumeMax", "Max", "Set all volumes on this form to maximum"},
};
inline constexpr GroupButton kPanButtons[] = {
    {GroupCommand::PanLeft, "cmdPanLeft", "L", "Pan all sounds to full left speaker"},
    {GroupCommand::PanDown, "cmdPanDown", "\u2190", "All balances to the left"},
    {GroupCommand::PanUp, "cmdPanUp", "\u2192", "All balances to the right"},
    {GroupCommand::PanRight, "cmdPanRight", "R", "Pan all sounds to full right speaker"},
};
inline constexpr GroupButton kRateButtons[] = {
    {GroupCommand::RateZero, "cmdRateZero", "0", "Set rate of change to 0 ( Disabled )"},
    {GroupCommand::RateDown, "cmdRateDown", "\u2212", "All rates of change down"},
    {GroupCommand::RateUp, "cmdRateUp", "+", "All rates of change up"},
    {GroupCommand::RateMax, "cmdRateMax", "Max", "Set rate of change to maximum"},
};
inline constexpr GroupButton kRangeButtons[] = {
    {GroupCommand::RangeLowDown, "cmdRangeLowDown", "\u2193", "All lower bounds down"},
    {GroupCommand::RangeLowUp, "cmdRangeLowUp", "\u2191", "All lower bounds up"},
    {GroupCommand::RangeHighDown, "cmdRangeHighDown", "\u2193", "All upper bounds down"},
    {GroupCommand::RangeHighUp, "cmdRangeHighUp", "\u2191", "All upper bounds up"},
};

} // namespace velmora
