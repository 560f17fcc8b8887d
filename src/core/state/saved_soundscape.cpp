#include "saved_soundscape.h"

#include "platform/ascii_case.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <set>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace velmora::state {

namespace fs = std::filesystem;

namespace {

/// The file name a stored name ends in ("\rand.ini" -> "rand.ini").
std::string leafOf(std::string_view stored) {
    return storedName(stored).substr(1);
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

void noteWrite(const FileResult& result, const fs::path& path, SaveReport& report) {
    if (!result.ok()) report.failed.push_back(path);
}

constexpr auto kSnapshotMaxAge = std::chrono::hours(24 * 7);

} // namespace

std::string storedName(std::string_view name) {
    while (!name.empty() && (name.front() == '\\' || name.front() == '/'))
        name.remove_prefix(1);
    return "\\" + std::string(name);
}

BankFileNames stateFileNames() {
    return [](const Bank& bank) { return storedName(bank.stateFileName()); };
}

std::string SaveReport::summary() const {
    std::string line;
    for (const auto& path : failed)
        line += (line.empty() ? "" : ", ") + path.string();
    return line;
}

void keepDamagedCopies(const RestoreReport& report) {
    for (const auto* list : {&report.damagedFiles, &report.refusedBankFiles})
        for (const auto& path : *list) {
            std::error_code ec;
            fs::copy_file(path, fs::path(path.string() + ".bad"),
                          fs::copy_options::overwrite_existing, ec);
        }
}

SavedSoundscape::SavedSoundscape(Levels& levels, SoundscapeLinks links)
    : m_levels(levels), m_links(std::move(links)) {}

// --- restore ---

void SavedSoundscape::restoreMain(const ProgramFolder& folder, MainState& main,
                                  RestoreReport& report) {
    const auto path = folder.resolve(kMainStateFile);
    MainState read = main;
    const auto result = readMainState(path, read);
    report.firstRun = result.missing();
    if (result.missing()) return;
    if (result.damaged()) report.damagedFiles.push_back(path);
    if (!result.opened()) return;
    report.restoredFiles.push_back(kMainStateFile);
    // Start-up takes fields 1-4 only: the scenario named in field 2 is not loaded, so taking
    // it as the selection would contradict the display's "Not Specified". Fields 5-7 are
    // kept so that quit writes back what load-previous will read.
    main.alarmFlag = read.alarmFlag;
    main.slideshowName = read.slideshowName;
    main.pictureName = read.pictureName;
    main.colorSchemeName = read.colorSchemeName;
    // A field that was not read leaves the dialog's own threshold rather than the file's
    // default of 0.
    if (result.fieldRead(3) && m_links.random) {
        main.randomIntervalSlider = read.randomIntervalSlider;
        m_links.random->setDialogSlider(read.randomIntervalSlider);
    }
    if (result.fieldRead(4) && m_links.custom) {
        main.customIntervalSlider = read.customIntervalSlider;
        m_links.custom->setDialogSlider(read.customIntervalSlider);
    }
}

void SavedSoundscape::restoreSnapshot(const ProgramFolder& folder, RestoreReport& report) {
    bool damaged = false;
    const auto snap = readSnapshotState(folder.resolve(kSnapshotStateFile), damaged);
    if (!snap) return;
    report.snapshot = true;
    report.restoredFiles.push_back(kSnapshotStateFile);
    if (damaged) report.damagedFiles.push_back(folder.resolve(kSnapshotStateFile));
    m_levels.set(Level::Master, snap->master);
    m_levels.set(Level::Bwaves, snap->bwaves);
    if (m_links.random) m_links.random->setPeriodMinutes(snap->randomPeriodMinutes);
    if (m_links.custom) m_links.custom->setPeriodMinutes(snap->customPeriodMinutes);
}

void SavedSoundscape::restoreMain2(const ProgramFolder& folder, Main2State& main2,
                                   RestoreReport& report) {
    const auto path = folder.resolve(kMain2StateFile);
    const auto result = readMain2State(path, main2);
    if (result.missing()) return;
    if (result.damaged()) report.damagedFiles.push_back(path);
    if (!result.opened()) return;
    report.restoredFiles.push_back(kMain2StateFile);
    m_levels.set(Level::Background, main2.background);
    m_levels.set(Level::Random, main2.random);
    m_levels.set(Level::Mp3, main2.mp3);
    m_levels.set(Level::Cd, main2.cd);
    if (main2.customAutoRandomise && m_links.custom) m_links.custom->restore(true);
    if (main2.bankOneAutoRandomise && m_links.random) m_links.random->restore(true);
}

void SavedSoundscape::loadBanks(const ProgramFolder& folder, const BankFileNames& names,
                                RestoreReport& report) {
    for (Bank* bank : m_links.banks)
        (void)loadBank(*bank, folder, names, report);
}

bool SavedSoundscape::loadBank(Bank& bank, const ProgramFolder& folder, const BankFileNames& names,
                               RestoreReport& report) {
    const std::string stored = names(bank);
    const auto path = folder.resolve(stored);
    // A missing file is a first run, not a fault: the bank keeps its values without a
    // message per bank.
    std::error_code ec;
    if (!fs::exists(path, ec)) return true;
    if (bank.doload(path)) {
        report.restoredFiles.push_back(stored);
        return true;
    }
    report.refusedBankFiles.push_back(path);
    return false;
}

RestoreReport SavedSoundscape::restore(const ProgramFolder& folder, MainState& main,
                                       Main2State& main2) {
    RestoreReport report;
    restoreMain(folder, main, report);
    // Before main2.tmp: a switch it turns on starts its timer with the period set here.
    restoreSnapshot(folder, report);
    restoreMain2(folder, main2, report);
    loadBanks(folder, stateFileNames(), report);
    for (Level l : {Level::Background, Level::Master, Level::Cd, Level::Bwaves, Level::Mp3})
        m_levels.push(l);
    return report;
}

// --- write ---

void SavedSoundscape::saveBank(Bank& bank, const ProgramFolder& folder, const BankFileNames& names,
                               SaveReport& report) {
    const auto path = folder.resolve(names(bank));
    if (!bank.dosave(path)) report.failed.push_back(path);
}

void SavedSoundscape::collect(MainState& main, Main2State& main2) const {
    main2.background = m_levels.value(Level::Background);
    main2.random = m_levels.value(Level::Random);
    main2.mp3 = m_levels.value(Level::Mp3);
    main2.cd = m_levels.value(Level::Cd);
    if (m_links.custom) main2.customAutoRandomise = m_links.custom->isOn();
    if (m_links.random) main2.bankOneAutoRandomise = m_links.random->isOn();
    if (m_links.random) main.randomIntervalSlider = m_links.random->dialogSlider();
    if (m_links.custom) main.customIntervalSlider = m_links.custom->dialogSlider();
}

SaveReport SavedSoundscape::writeMainFiles(const ProgramFolder& folder, const MainState& main,
                                           const Main2State& main2) const {
    SaveReport report;
    const auto path2 = folder.resolve(kMain2StateFile);
    noteWrite(writeMain2State(path2, main2), path2, report);
    const auto path1 = folder.resolve(kMainStateFile);
    noteWrite(writeMainState(path1, main), path1, report);
    return report;
}

SaveReport SavedSoundscape::write(const ProgramFolder& folder, const MainState& main,
                                  const Main2State& main2) {
    SaveReport report = writeMainFiles(folder, main, main2);
    for (Bank* bank : m_links.banks)
        saveBank(*bank, folder, stateFileNames(), report);
    return report;
}

SnapshotResult SavedSoundscape::writeSnapshot(const ProgramFolder& program, const fs::path& dir,
                                              int master) {
    SnapshotResult result;
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!fs::is_directory(dir, ec)) {
        result.error = "The snapshot folder " + dir.string() + " could not be created.";
        return result;
    }

    // Names this snapshot writes itself; everything else of the program folder is linked.
    std::set<std::string> own = {asciiLowered(leafOf(kMainStateFile)),
                                 asciiLowered(leafOf(kMain2StateFile)),
                                 asciiLowered(leafOf(kSnapshotStateFile))};
    for (Bank* bank : m_links.banks)
        own.insert(asciiLowered(leafOf(bank->stateFileName())));

    const fs::path root = program.root();
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

    // A snapshot holds only what is heard: the main window's own texts keep their defaults.
    const ProgramFolder target(dir);
    MainState main;
    Main2State main2;
    collect(main, main2);
    main2.master = master;
    SaveReport report = write(target, main, main2);
    SnapshotState snap;
    snap.master = master;
    snap.bwaves = m_levels.value(Level::Bwaves);
    if (m_links.random) snap.randomPeriodMinutes = m_links.random->periodMinutes();
    if (m_links.custom) snap.customPeriodMinutes = m_links.custom->periodMinutes();
    const auto snapPath = target.resolve(kSnapshotStateFile);
    noteWrite(replaceFileAtomically(snapPath, snapshotStateBytes(snap)), snapPath, report);
    if (!report.ok()) {
        result.error = "The soundscape could not be saved in " + dir.string() + ": " +
                       report.summary() + " not written.";
        return result;
    }
    result.ok = true;
    return result;
}

namespace {
constexpr const char* kSnapshotPrefix = "snapshot-";
constexpr auto kSnapshotStartGrace = std::chrono::minutes(2);

fs::path snapshotBase() {
    std::error_code ec;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && *runtime)
        return fs::path(runtime) / "velmora-snapshots";
    return fs::temp_directory_path(ec) / ("velmora-snapshots-" + std::to_string(::getuid()));
}

/// Only folders this program made are ever removed: directly in the base, by name, real.
bool isSnapshotFolder(const fs::path& dir) {
    std::error_code ec;
    const fs::path clean = dir.lexically_normal();
    const fs::path parent = (clean.has_filename() ? clean : clean.parent_path()).parent_path();
    return parent == snapshotBase().lexically_normal() &&
           clean.filename().string().rfind(kSnapshotPrefix, 0) == 0 &&
           fs::is_directory(fs::symlink_status(clean, ec)) && !ec;
}

/// True while some process holds dir (holdSnapshotFolder).
bool isHeld(const fs::path& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd); // also drops the lock taken just now
    return held;
}

void removeBaseIfEmpty() {
    std::error_code ec;
    if (fs::is_empty(snapshotBase(), ec) && !ec) fs::remove(snapshotBase(), ec);
}
} // namespace

bool SavedSoundscape::holdSnapshotFolder(const fs::path& dir) {
    if (!isSnapshotFolder(dir)) return false;
    // Kept open on purpose: the shared lock lasts as long as the process.
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return fd >= 0 && ::flock(fd, LOCK_SH | LOCK_NB) == 0;
}

void SavedSoundscape::removeSnapshotFolder(const fs::path& dir) {
    if (!isSnapshotFolder(dir)) return;
    std::error_code ec;
    fs::remove_all(dir, ec); // the links to the program's sounds go, not what they point at
    removeBaseIfEmpty();
}

void SavedSoundscape::removeUnusedSnapshotFolders() {
    std::error_code ec;
    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(snapshotBase(), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code e2;
        const fs::path dir = it->path();
        if (!isSnapshotFolder(dir) || isHeld(dir)) continue;
        const auto when = fs::last_write_time(dir, e2);
        if (!e2 && now - when > kSnapshotStartGrace) fs::remove_all(dir, e2);
    }
    removeBaseIfEmpty();
}

fs::path SavedSoundscape::makeSnapshotFolder() {
    std::error_code ec;
    const fs::path base = snapshotBase();
    fs::create_directories(base, ec);
    fs::permissions(base, fs::perms::owner_all, fs::perm_options::replace, ec);

    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code e2;
        if (!it->is_directory(e2) || it->is_symlink(e2)) continue;
        if (it->path().filename().string().rfind(kSnapshotPrefix, 0) != 0) continue;
        const auto when = fs::last_write_time(it->path(), e2);
        if (!e2 && now - when > kSnapshotMaxAge) fs::remove_all(it->path(), e2);
    }

    std::string pattern = (base / (std::string(kSnapshotPrefix) + "XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) return {};
    return fs::path(pattern);
}

// --- snapshot.tmp ---

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

} // namespace velmora::state
