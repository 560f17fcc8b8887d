#pragma once
// The only differences between the four numbered random banks, and the tick constants that
// set the numbered banks apart from the custom one.
//
// Thread: any (constant data).

#include "slot_layout.h"

#include <array>
#include <string>

namespace velmora {

/// How a bank's 500 ms tick draws: candidate v = Int(rnd x candidates), slot v fires when
/// Int(rnd x passSpan) + passOffset < F, then pan = Int(rnd x panSpan) + panOffset.
struct TickRule {
    int candidates;
    int passSpan;
    int passOffset;
    int panSpan;
    int panOffset;
    bool loadsOnTick; ///< a slot without a sample is loaded when it fires
};

inline constexpr TickRule kNumberedTick{56, 250, 5, 250, 5, true};
inline constexpr TickRule kCustomTick{42, 255, 0, 255, 0, false};
inline constexpr int kTickMs = 500;

struct RandomBankTable {
    int number;                   ///< 1..4
    std::string windowName;       ///< "frmrandommain", "frmrandommain2", ...
    std::string theme;            ///< "Birds", ...
    int firstSound;               ///< slot k plays "\bin\" & (firstSound + k - 1) & ".raz"
    std::string stateFile;        ///< "\rand.ini"
    std::string configFolder;     ///< "\config\main\random bank 1"
    std::string loadFailure;      ///< the message shown for an unreadable bank file
    std::string column1, column2; ///< identify texts of slots 1-14 / 15-28
    std::array<std::string, kRandomSlotCount> captions;

    /// The stored path of slot's factory sound (slot 1..28): "\bin\101.raz".
    [[nodiscard]] std::string soundFile(int slot) const;
};

/// bank 1..4; anything else is bank 1.
[[nodiscard]] const RandomBankTable& randomBankTable(int bank);

inline constexpr const char* kRandomConfigFilter = "Random Config Files (*.rcf)|*.rcf";

} // namespace velmora
