#include "scheduler.h"

#include "platform/atomic_file.h"

#include <cstdlib>

namespace velmora::scheduling {

namespace {
constexpr int kSecondMs = 1000;
constexpr int kMinuteMs = 60000;
constexpr const char* kSchedulesFolder = "\\config\\scheduler\\savedschedules";
constexpr const char* kPlaylistsFolder = "\\config\\scheduler\\scenarioplaylists";

std::string remainingText(int minutes) {
    if (minutes > 60) return "> 1Hr";
    if (minutes == 60) return "1 Hr";
    return std::to_string(minutes) + " mins";
}
} // namespace

int intervalMinutes(const std::string& text) {
    const auto space = text.find(' ');
    const std::string number = text.substr(0, space);
    char* end = nullptr;
    const long n = std::strtol(number.c_str(), &end, 10);
    if (number.empty() || end == number.c_str() || n <= 0 || n > 100000) return 0;
    const std::string word = space == std::string::npos ? "" : text.substr(space + 1);
    return static_cast<int>(word == "Hr" ? n * 60 : n);
}

Scheduler::Scheduler(Services& services, StatusDisplays& displays,
                     std::function<ScenarioLoader*()> loader)
    : m_s(services), m_displays(displays), m_loader(std::move(loader)), m_cursor(services.clock) {
    m_secondTimer = m_s.timers.createTimer(kSecondMs, [this] { timeOfDayCheck(); });
    m_minuteTimer = m_s.timers.createTimer(kMinuteMs, [this] { intervalTick(); });
}

Scheduler::~Scheduler() = default;

// --- life of the window ---

void Scheduler::load() {
    if (m_loaded) return;
    m_loaded = true;
    std::vector<std::string> lines;
    if (readPlaylistFile(m_s.folder.resolve(kSchedulerPlaylistFile), lines).ok())
        for (const auto& line : lines)
            m_playlist.add(line);
    SchedulerState saved;
    if (readSchedulerState(m_s.folder.resolve(kSchedulerStateFile), saved).opened())
        applyState(saved);
    else
        setMode(SchedulerMode::None);
    changed();
}

void Scheduler::unload() {
    if (!m_loaded) return;
    (void)replaceFileAtomically(m_s.folder.resolve(kSchedulerStateFile),
                                schedulerStateBytes(currentState()));
    (void)replaceFileAtomically(m_s.folder.resolve(kSchedulerPlaylistFile),
                                playlistBytes(m_playlist.paths()));
}

void Scheduler::applyState(const SchedulerState& state) {
    m_table = state.entries;
    m_randomOrder = state.randomOrder;
    m_intervalPosition = state.intervalPosition;
    m_intervalMinutes = scheduling::intervalMinutes(intervalText());
    m_elapsed = 0;
    setMode(state.mode);
}

SchedulerState Scheduler::currentState() const {
    SchedulerState s;
    s.entries = m_table;
    s.mode = m_mode;
    s.intervalPosition = m_intervalPosition;
    s.randomOrder = m_randomOrder;
    return s;
}

// --- mode ---

void Scheduler::setMode(SchedulerMode mode) {
    m_mode = mode;
    const bool timeOfDay = mode == SchedulerMode::TimeOfDay;
    const bool interval = mode == SchedulerMode::Interval;
    // The second on which the mode is chosen still counts; the seconds before it never do.
    if (timeOfDay && !m_secondTimer->isEnabled()) m_cursor.restart();
    m_secondTimer->setEnabled(timeOfDay);
    if (interval) {
        m_elapsed = 0;
        m_minuteTimer->setEnabled(false);
    }
    m_minuteTimer->setEnabled(interval);
    refreshDisplay();
    remoteLabelChanged(remoteLabel());
    changed();
}

// --- interval ---

std::string Scheduler::intervalText() const {
    if (m_intervalPosition < 0 || m_intervalPosition >= int(kIntervalTexts.size()))
        return kInitialIntervalText;
    return kIntervalTexts[static_cast<std::size_t>(m_intervalPosition)];
}

void Scheduler::chooseInterval(int position) {
    if (position < 0 || position >= int(kIntervalTexts.size())) return;
    m_intervalPosition = position;
    m_intervalMinutes = scheduling::intervalMinutes(intervalText());
    m_elapsed = 0;
    if (m_mode == SchedulerMode::Interval && !m_minuteTimer->isEnabled())
        m_minuteTimer->setEnabled(true);
    refreshDisplay();
    changed();
}

void Scheduler::setRandomOrder(bool on) {
    m_randomOrder = on;
    changed();
}

void Scheduler::intervalTick() {
    ++m_elapsed;
    refreshDisplay();
    if (m_elapsed < m_intervalMinutes) return;
    m_elapsed = 0;
    const auto chosen = m_playlist.advance(m_randomOrder, m_s.random);
    refreshDisplay();
    changed();
    if (!chosen) return;
    m_displays.setScenarioText("Auto Change In Progress...");
    loadScenario(entryFile(m_playlist.entries()[*chosen]));
}

// --- time of day ---

void Scheduler::timeOfDayCheck() {
    for (const LocalTime& second : m_cursor.due()) {
        const std::string now = clockText(second);
        for (const auto& entry : m_table) {
            if (!entry.enabled || entry.triggerTime != now || entry.scenario.empty()) continue;
            m_displays.setAutoChangeText("Auto Changing....");
            loadScenario(scenarioFolder() / (entry.scenario + ".vlm"));
        }
    }
}

void Scheduler::loadScenario(const std::filesystem::path& vlm) {
    if (ScenarioLoader* loader = m_loader ? m_loader() : nullptr)
        (void)loader->loadScenarioFile(vlm, ScenarioLoadMode::Auto);
}

std::filesystem::path Scheduler::scenarioFolder() const {
    return m_s.folder.resolve("\\config\\scenarios");
}

std::filesystem::path Scheduler::entryFile(const PlaylistEntry& entry) const {
    // Entries added here hold full paths and load from where they are; a bare name (from
    // a playlist written elsewhere) is looked for in the scenario folder.
    std::error_code ec;
    const std::filesystem::path given(entry.path);
    if (given.is_absolute() && std::filesystem::is_regular_file(given, ec)) return given;
    return scenarioFolder() / (scenarioBaseName(entry.path) + ".vlm");
}

void Scheduler::setEnabled(int index, bool enabled) {
    if (index < 0 || index >= kTimeOfDayEntries) return;
    m_table[static_cast<std::size_t>(index)].enabled = enabled;
    changed();
}

void Scheduler::setTriggerTime(int index, const std::string& text) {
    if (index < 0 || index >= kTimeOfDayEntries) return;
    m_table[static_cast<std::size_t>(index)].triggerTime = text;
    changed();
}

void Scheduler::setFlags(int index, bool first, bool second) {
    if (index < 0 || index >= kTimeOfDayEntries) return;
    auto& e = m_table[static_cast<std::size_t>(index)];
    e.firstFlag = first;
    e.secondFlag = second;
    changed();
}

void Scheduler::chooseScenario(int index) {
    if (index < 0 || index >= kTimeOfDayEntries) return;
    const auto path = askFile(false, "\\config\\scenarios", kEntryScenarioFilter);
    if (!path) return;
    auto& e = m_table[static_cast<std::size_t>(index)];
    e.scenario = scenarioBaseName(*path);
    e.displayName = e.scenario;
    changed();
}

void Scheduler::resetTable() {
    if (!m_s.dialogs.question(kResetQuestion)) return;
    // The chosen scenarios stay: what is shown and ticked resets, and choosing again is
    // one click, but a lost choice cannot be seen to be lost.
    for (auto& e : m_table) {
        e.displayName = kNotSelected;
        e.triggerTime = kMidnight;
        e.enabled = false;
    }
    changed();
}

std::optional<std::string> Scheduler::askFile(bool save, const char* folder, const char* filter) {
    FileDialogOptions o;
    o.filter = filter;
    o.initialDirectory = m_s.folder.resolve(folder).string();
    auto path = save ? m_s.dialogs.saveFile(o) : m_s.dialogs.openFile(o);
    if (path && path->empty()) path.reset();
    return path;
}

void Scheduler::saveSchedule() {
    if (const auto path = askFile(true, kSchedulesFolder, kScheduleFilter))
        (void)replaceFileAtomically(*path, scheduleBytes(m_table));
}

void Scheduler::loadSchedule() {
    const auto path = askFile(false, kSchedulesFolder, kScheduleFilter);
    if (!path) return;
    TimeOfDayTable table = m_table;
    if (!readSchedule(*path, table).opened()) return;
    m_table = table;
    changed();
}

// --- playlist ---

void Scheduler::selectEntry(std::optional<std::size_t> index) {
    m_playlist.select(index);
    changed();
}

void Scheduler::addFile() {
    const auto path = askFile(false, "\\config\\scenarios", kAddScenarioFilter);
    if (!path) return;
    m_playlist.add(*path, std::filesystem::path(*path).filename().string());
    if (m_playlist.size() == 1) m_playlist.select(0);
    changed();
}

void Scheduler::addEntries(const std::vector<PlaylistEntry>& entries) {
    for (const auto& e : entries)
        m_playlist.add(e.path, e.display);
    changed();
}

void Scheduler::removeSelected() {
    m_playlist.removeSelected();
    changed();
}

void Scheduler::moveUp() {
    m_playlist.moveSelectedUp();
    changed();
}

void Scheduler::moveDown() {
    m_playlist.moveSelectedDown();
    changed();
}

void Scheduler::clearPlaylist() {
    m_playlist.clear();
    changed();
}

void Scheduler::savePlaylist() {
    if (const auto path = askFile(true, kPlaylistsFolder, kPlaylistFilter))
        (void)replaceFileAtomically(*path, playlistBytes(m_playlist.displayTexts()));
}

void Scheduler::loadPlaylist() {
    const auto path = askFile(false, kPlaylistsFolder, kPlaylistFilter);
    if (!path) return;
    std::vector<std::string> lines;
    if (!readPlaylistFile(*path, lines).ok()) return;
    m_playlist.clear();
    for (const auto& line : lines)
        m_playlist.add(line);
    changed();
}

bool Scheduler::mayClose() {
    if (m_mode == SchedulerMode::Interval && m_playlist.empty()) {
        m_s.dialogs.message(kEmptyPlaylistOnClose);
        return false;
    }
    return true;
}

// --- displays ---

std::string Scheduler::statusText() const {
    switch (m_mode) {
    case SchedulerMode::TimeOfDay:
        return "Enabled - N/A";
    case SchedulerMode::Interval:
        return "Enabled - " + remainingText(m_intervalMinutes - m_elapsed);
    default:
        return "Disabled";
    }
}

std::string Scheduler::remoteLabel() const {
    const bool on = m_mode == SchedulerMode::TimeOfDay || m_mode == SchedulerMode::Interval;
    return on ? "Scheduler Enabled" : "Scheduler Off";
}

void Scheduler::refreshDisplay() {
    m_displays.setSchedulerText(statusText());
}

} // namespace velmora::scheduling
