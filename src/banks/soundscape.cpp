#include "soundscape.h"

#include "core/main_window/main_window_controller.h"
#include "core/state/main2_state.h"
#include "core/state/main_state.h"
#include "platform/ascii_case.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <set>
#include <system_error>

#include <unistd.h>

namespace velmora {

namespace fs = std::filesystem;

namespace {

std::string withoutLeadingSeparator(std::string name) {
    while (!name.empty() && (name.front() == '\\' || name.front() == '/'))
        name.erase(0, 1);
    return name;
}

/// True when child is base itself or lies inside it.
bool contains(const fs::path& base, const fs::path& child) {
    std::error_code ec;
    const auto b = fs::weakly_canonical(base, ec);
    const auto c = fs::weakly_canonical(child, ec);
    auto bi = b.begin();
    auto ci = c.begin();
    for (; bi != b.end(); ++bi, ++ci)
        if (ci == c.end() || *bi != *ci) return false;
    return true;
}

constexpr auto kSnapshotMaxAge = std::chrono::hours(24 * 7);

} // namespace

Soundscape::Soundscape(Services& services)
    : m_s(services), m_random(services), m_backgroundOne(services, backgroundBankOne()),
      m_backgroundTwo(services, backgroundBankTwo()), m_bw(services), m_customBackground(services) {
    m_banks = {&m_backgroundOne, &m_backgroundTwo, &m_bw};
    for (Bank* bank : m_random.all())
        m_banks.push_back(bank);
    m_banks.push_back(&m_customBackground);
}

Soundscape::~Soundscape() = default;

void Soundscape::attach(MainWindowController& main) {
    for (Bank* bank : m_banks)
        main.addBank(*bank);

    AutoRandomizeGroup& group = m_random.autoRandomize();
    IntervalSettings& form3 = m_random.form3();
    IntervalSettings& form33 = m_random.form33();
    CustomRandomBank& custom = m_random.custom();
    main.setRandomAutoRandomise({
        [&group] { return group.enabled(); },
        [&group](bool on) { group.setEnabled(on); },
        [&form3] { return form3.periodMinutes(); },
        [&form3] { return form3.threshold(); },
        [&form3](int value) { form3.setThreshold(value); },
    });
    main.setCustomAutoRandomise({
        [&custom] { return custom.autoRandomizeOn(); },
        [&custom](bool on) { custom.setAutoRandomize(on); },
        [&form33] { return form33.periodMinutes(); },
        [&form33] { return form33.threshold(); },
        [&form33](int value) { form33.setThreshold(value); },
    });
    m_connections.push_back(group.changed.connect([&main](bool) { main.checklcd(); }));
}

fs::path Soundscape::stateFile(std::string name) const {
    if (name.empty() || (name.front() != '\\' && name.front() != '/')) name = "\\" + name;
    return m_s.folder.resolve(name);
}

void Soundscape::restoreDialogs(RestoreReport& report) {
    state::MainState main;
    const auto result = state::readMainState(stateFile(state::kMainStateFile), main);
    if (!result.opened()) return;
    report.restoredFiles.push_back("main.tmp");
    // Only fields that were really read: a short file keeps the dialogs' own thresholds
    // rather than dropping them to 0.
    if (result.fieldRead(3)) m_random.form3().setThreshold(main.randomIntervalSlider);
    if (result.fieldRead(4)) m_random.form33().setThreshold(main.customIntervalSlider);
    if (!result.ok()) report.damagedFiles.push_back("main.tmp");
}

void Soundscape::restoreSnapshot(RestoreReport& report) {
    bool damaged = false;
    const auto snap = readSnapshotState(stateFile(kSnapshotStateFile), damaged);
    if (!snap) return;
    report.snapshot = true;
    report.restoredFiles.push_back("snapshot.tmp");
    if (damaged) report.damagedFiles.push_back("snapshot.tmp");
    m_s.levels.set(Level::Master, snap->master);
    m_s.levels.set(Level::Bwaves, snap->bwaves);
    (void)m_random.form3().setPeriodMinutes(snap->randomPeriodMinutes);
    (void)m_random.form33().setPeriodMinutes(snap->customPeriodMinutes);
}

void Soundscape::restoreMain2(RestoreReport& report) {
    state::Main2State s;
    const auto result = state::readMain2State(stateFile(state::kMain2StateFile), s);
    if (!result.opened()) return;
    report.restoredFiles.push_back("main2.tmp");
    if (!result.ok()) report.damagedFiles.push_back("main2.tmp");
    m_s.levels.set(Level::Background, s.background);
    m_s.levels.set(Level::Random, s.random);
    m_s.levels.set(Level::Mp3, s.mp3);
    m_s.levels.set(Level::Cd, s.cd);
    if (s.customAutoRandomise) m_random.custom().setAutoRandomize(true);
    if (s.bankOneAutoRandomise) m_random.autoRandomize().setEnabled(true);
}

RestoreReport Soundscape::restore() {
    RestoreReport report;
    restoreDialogs(report);
    restoreSnapshot(report);
    restoreMain2(report);
    for (Bank* bank : m_banks) {
        // A missing state file is a first run, not a fault: the bank keeps its initial
        // values without a message.
        const auto path = stateFile(bank->stateFileName());
        std::error_code ec;
        if (!fs::exists(path, ec)) continue;
        bank->doload(path);
        report.restoredFiles.push_back(withoutLeadingSeparator(bank->stateFileName()));
    }
    for (Level l : {Level::Background, Level::Master, Level::Cd, Level::Bwaves, Level::Mp3})
        m_s.levels.push(l);
    return report;
}

SnapshotResult Soundscape::writeSnapshot(const fs::path& dir, std::optional<int> master) {
    SnapshotResult result;
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!fs::is_directory(dir, ec)) {
        result.error = "The snapshot folder " + dir.string() + " could not be created.";
        return result;
    }

    // Names this snapshot writes itself; everything else of the program folder is linked.
    std::set<std::string> own = {asciiLowered(withoutLeadingSeparator(state::kMainStateFile)),
                                 asciiLowered(withoutLeadingSeparator(state::kMain2StateFile)),
                                 asciiLowered(withoutLeadingSeparator(kSnapshotStateFile))};
    for (Bank* bank : m_banks)
        own.insert(asciiLowered(withoutLeadingSeparator(bank->stateFileName())));

    const fs::path root = m_s.folder.root();
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        const auto name = it->path().filename();
        if (own.count(asciiLowered(name.string())) || contains(it->path(), dir)) continue;
        const auto link = dir / name;
        fs::remove(link, ec);
        fs::create_symlink(fs::absolute(it->path()), link, ec);
        if (ec) {
            result.error = "The snapshot could not link " + name.string() + ": " + ec.message();
            return result;
        }
    }
    if (ec) {
        result.error = "The program folder " + root.string() + " could not be read.";
        return result;
    }

    const ProgramFolder target(dir);
    for (Bank* bank : m_banks) {
        std::string name = bank->stateFileName();
        if (name.empty() || (name.front() != '\\' && name.front() != '/')) name = "\\" + name;
        bank->dosave(target.resolve(name));
    }

    state::Main2State s2;
    s2.master = master.value_or(m_s.levels.master());
    s2.background = m_s.levels.value(Level::Background);
    s2.random = m_s.levels.value(Level::Random);
    s2.mp3 = m_s.levels.value(Level::Mp3);
    s2.cd = m_s.levels.value(Level::Cd);
    s2.customAutoRandomise = m_random.custom().autoRandomizeOn();
    s2.bankOneAutoRandomise = m_random.autoRandomize().enabled();
    state::MainState s1;
    s1.randomIntervalSlider = m_random.form3().threshold();
    s1.customIntervalSlider = m_random.form33().threshold();
    SnapshotState snap;
    snap.master = s2.master;
    snap.bwaves = m_s.levels.value(Level::Bwaves);
    snap.randomPeriodMinutes = m_random.form3().periodMinutes();
    snap.customPeriodMinutes = m_random.form33().periodMinutes();

    const bool written =
        state::writeMain2State(target.resolve(state::kMain2StateFile), s2).ok() &&
        state::writeMainState(target.resolve(state::kMainStateFile), s1).ok() &&
        replaceFileAtomically(target.resolve(kSnapshotStateFile), snapshotStateBytes(snap)).ok();
    // Banks write through their own dosave, which does not report; check their files exist.
    bool banksWritten = true;
    for (Bank* bank : m_banks)
        banksWritten =
            banksWritten &&
            fs::exists(target.resolve("\\" + withoutLeadingSeparator(bank->stateFileName())), ec);
    if (!written || !banksWritten) {
        result.error = "The soundscape could not be saved in " + dir.string() + ".";
        return result;
    }
    result.ok = true;
    return result;
}

fs::path Soundscape::makeSnapshotFolder() {
    std::error_code ec;
    fs::path base;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        base = fs::path(runtime) / "velmora-snapshots";
    else
        base = fs::temp_directory_path(ec) / ("velmora-snapshots-" + std::to_string(::getuid()));
    fs::create_directories(base, ec);
    fs::permissions(base, fs::perms::owner_all, fs::perm_options::replace, ec);

    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code e2;
        if (!it->is_directory(e2) || it->is_symlink(e2)) continue;
        if (it->path().filename().string().rfind("snapshot-", 0) != 0) continue;
        const auto when = fs::last_write_time(it->path(), e2);
        if (!e2 && now - when > kSnapshotMaxAge) fs::remove_all(it->path(), e2);
    }

    std::string pattern = (base / "snapshot-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return {};
    return fs::path(pattern);
}

std::string snapshotStateBytes(const SnapshotState& s) {
    files::RecordWriter w;
    w.integer(s.master)
        .integer(s.bwaves)
        .integer(s.randomPeriodMinutes)
        .integer(s.customPeriodMinutes)
        .endRecord();
    return w.bytes();
}

std::optional<SnapshotState> readSnapshotState(const fs::path& path, bool& damaged) {
    damaged = false;
    auto reader = files::RecordReader::fromFile(path);
    if (reader.error() == FileError::Missing) return std::nullopt;
    SnapshotState s;
    if (!reader.ok()) {
        damaged = true;
        return s;
    }
    for (int* target : {&s.master, &s.bwaves, &s.randomPeriodMinutes, &s.customPeriodMinutes}) {
        const auto v = reader.nextInteger();
        if (v && *v >= 0 && *v <= 100000)
            *target = static_cast<int>(*v);
        else
            damaged = true;
    }
    return s;
}

} // namespace velmora
