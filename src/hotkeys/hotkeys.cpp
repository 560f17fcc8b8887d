#include "hotkeys.h"

#include "core/main_window/mute_switch.h"
#include "core/main_window/scenario_list.h"
#include "core/services.h"

#include <algorithm>

namespace velmora {

namespace {
constexpr std::array<const char*, 6> kNamedValues = {"FindHotKeys",    "FindVirtualKeys",
                                                     "SelectHotKeys",  "SelectVirtualKeys",
                                                     "ReplaceHotKeys", "ReplaceVirtuals"};
/// The pair's unmatched text is only kept, never read for a key; anything longer than any
/// caption a user could have typed is damage, not a note.
constexpr std::size_t kMaxKeptText = 64;

std::string_view trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool printable(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x20; });
}
} // namespace

const std::vector<std::string>& hotkeyNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n{kNoKey};
        for (char c = 'A'; c <= 'Z'; ++c)
            n.emplace_back(1, c);
        for (int f = 1; f <= 12; ++f)
            n.push_back("F" + std::to_string(f));
        return n;
    }();
    return names;
}

std::optional<int> hotkeyCode(std::string_view name) {
    name = trimmed(name);
    if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') return int(name[0]);
    if (name.size() >= 2 && name.size() <= 3 && name[0] == 'F') {
        int n = 0;
        for (char c : name.substr(1)) {
            if (c < '0' || c > '9') return std::nullopt;
            n = n * 10 + (c - '0');
        }
        if (n >= 1 && n <= 12 && name[1] != '0') return 111 + n;
    }
    return std::nullopt;
}

std::string hotkeyValueName(int index) {
    if (index >= 0 && index < int(kNamedValues.size())) return kNamedValues[index];
    return std::to_string(index);
}

Hotkeys::Hotkeys(SettingsStore& settings, Levels& levels, ScenarioList& scenarios, MuteSwitch& mute)
    : m_settings(settings), m_levels(levels), m_scenarios(scenarios), m_mute(mute) {
    for (int i = 0; i < kHotkeyTextCount; ++i) {
        const std::string value =
            m_settings.read(kProgramTitle, kHotkeySection, hotkeyValueName(i), {});
        const bool matched = i % 2 == 1;
        // A damaged value reads as no key rather than as a key the user never chose.
        if (matched)
            m_texts[i] = hotkeyCode(value) ? std::string(trimmed(value)) : std::string{};
        else if (value.size() <= kMaxKeptText && printable(value))
            m_texts[i] = value;
    }
}

const std::string& Hotkeys::key(int action) const {
    return m_texts.at(2 * action + 1);
}

bool Hotkeys::assign(int action, const std::string& keyName) {
    if (action < 0 || action >= kHotkeyActionCount) return false;
    if (keyName != kNoKey && !keyName.empty() && !hotkeyCode(keyName)) return false;
    const int index = 2 * action + 1;
    m_texts[index] = keyName;
    m_settings.write(kProgramTitle, kHotkeySection, hotkeyValueName(index), keyName);
    return true;
}

void Hotkeys::handleKey(const std::string& keyName) {
    // "Shift+F5" is F5; a name ending in "+" is the plus key itself.
    const auto plus = keyName.rfind('+');
    const std::string bare = plus == std::string::npos || plus + 1 == keyName.size()
                                 ? keyName
                                 : keyName.substr(plus + 1);
    if (const auto code = hotkeyCode(bare)) handleKeyCode(*code);
}

void Hotkeys::handleKeyCode(int code) {
    if (m_suspended) return;
    for (int i = 0; i < kHotkeyActionCount; ++i)
        if (hotkeyCode(key(i)) == code) run(i);
}

void Hotkeys::run(int action) {
    switch (action) {
    case 0:
        if (m_visual) m_visual->changeImage();
        break;
    case 1:
        if (m_visual) m_visual->changeDirection();
        break;
    case 2:
        if (m_scenarios.canLoad()) m_scenarios.loadRandom();
        break;
    case 3:
    case 4:
        step(Level::Background, action == 3 ? kHotkeyLevelStep : -kHotkeyLevelStep);
        break;
    case 5:
    case 6:
        step(Level::Random, action == 5 ? kHotkeyLevelStep : -kHotkeyLevelStep);
        break;
    case 7:
    case 8:
        step(Level::Master, action == 7 ? kHotkeyLevelStep : -kHotkeyLevelStep);
        break;
    case 9:
        m_mute.toggle();
        break;
    default:
        break;
    }
}

void Hotkeys::step(Level level, int delta) {
    m_levels.set(level, m_levels.value(level) + delta);
}

} // namespace velmora
