#include "scenario_files.h"

#include "core/main_window/main_window_controller.h"
#include "core/state/options_state.h"
#include "core/state/scenario_crossfade.h"
#include "scenarios/scenario_group.h"
#include "scenarios/scenario_load.h"

#include <system_error>

namespace velmora::scenarios {

namespace fs = std::filesystem;

namespace {
/// The order a save writes the banks' members.
constexpr int kSaveOrder[] = {1, 8, 2, 3, 4, 5, 10, 11, 12};
/// Load previous: bw, bank one, random one to four, bank two, custom background, custom random.
constexpr int kPreviousOrder[] = {5, 1, 4, 10, 11, 12, 8, 2, 3};

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool isFile(const fs::path& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}
} // namespace

ScenarioFiles::ScenarioFiles(Services& services, MainWindowController& main, SoundscapeLinks links)
    : m_s(services), m_main(main), m_list(main.scenarios()),
      m_saved(services.levels, std::move(links)), m_slotColors(main) {}

fs::path ScenarioFiles::folder() const {
    return m_list.folder();
}

void ScenarioFiles::rebuildScenarioMenu() {
    m_list.refresh();
}

void ScenarioFiles::showName(const std::string& name) {
    m_main.displays().setScenarioText(name);
    m_main.commands().tellRemoteScenario("Scn: " + name);
}

void ScenarioFiles::setNotes(const std::string& notes) {
    if (m_texts.notes == notes) return;
    m_texts.notes = notes;
    m_main.displays().setScenarioInformation(notes);
}

// --- load ---

void ScenarioFiles::loadScenario(const std::string& name) {
    (void)loadGroup(folder(), name, ScenarioLoadMode::Manual);
}

bool ScenarioFiles::loadScenarioFile(const fs::path& vlmFile, ScenarioLoadMode mode) {
    // A group chosen anywhere (the remote, a schedule) brings its members along in its own
    // folder; the scenario folder may not even hold a scenario of that name.
    return loadGroup(vlmFile.parent_path(), vlmFile.stem().string(), mode);
}

bool ScenarioFiles::failLoad(ScenarioLoadMode mode) {
    StatusDisplays& displays = m_main.displays();
    m_list.setLoading(false);
    displays.setScenarioLoading(false);
    displays.setScenarioText(mode == ScenarioLoadMode::Auto ? "Autoload error" : "Load error");
    return false;
}

bool ScenarioFiles::loadGroup(const fs::path& dir, const std::string& name, ScenarioLoadMode mode) {
    if (m_list.isLoading()) return false;
    StatusDisplays& displays = m_main.displays();
    m_list.select(name);
    displays.setScenarioText("");
    m_list.setLoading(true);

    // A name that would reach outside the folder names no scenario of ours.
    if (!scenarioNameProblem(name).empty() || name != trimmed(name)) return failLoad(mode);
    if (!hasRequiredMembers(dir, name)) return failLoad(mode);

    displays.setScenarioLoading(true);
    displays.setScenarioText("Loading.");
    m_pending = {dir, name, mode};
    // A long loop takes a good part of a second to decode; the window stays responsive
    // while the worker does that, and the banks change only once every sound is ready.
    const auto sounds = soundsToDecode(m_saved.links(), dir, name);
    if (sounds.empty()) return finishLoad();
    m_s.engine.decodeAhead(sounds);
    if (!m_decodeWait)
        m_decodeWait = m_s.timers.createTimer(kDecodeWaitMs, [this] {
            if (m_s.engine.decodingAhead()) return;
            m_decodeWait->setEnabled(false);
            (void)finishLoad();
        });
    m_decodeWait->setEnabled(true);
    return true;
}

bool ScenarioFiles::finishLoad() {
    const auto [dir, name, mode] = m_pending;
    StatusDisplays& displays = m_main.displays();
    std::string progress = "Loading.";
    // Every change the load makes to what plays glides over the crossfade; changes after it
    // (drift, the user) glide as usual again. Sounds decoded for a bank that in the end did
    // not take them (a member that failed) are let go.
    struct AfterLoad {
        audio::SoundEngine& engine;
        ~AfterLoad() {
            engine.setChangeFade(0);
            engine.decodeAhead({});
        }
    } after{m_s.engine};
    if (const auto crossfade = state::readScenarioCrossfade(m_s.settings); crossfade.on)
        m_s.engine.setChangeFade(crossfade.seconds * 1000);
    const MainLevelsKept levels(m_s.levels, m_s.folder);
    if (!applyMainMember(resolveIn(dir, memberFileName(name, kMainMember)), m_s.levels, m_texts))
        return failLoad(mode);
    displays.setScenarioInformation(m_texts.notes);
    textsChanged(m_texts);

    state::OptionsState options;
    (void)state::readOptionsState(m_s.folder.resolve(state::kOptionsStateFile), options);
    MemberSteps steps;
    if (options.colorSchemeWithScenario)
        steps.colours = [this](const fs::path& path) { return m_colors->load(path); };
    steps.bankLoaded = [&] {
        progress += ".";
        displays.setScenarioText(progress);
    };
    if (!loadBankMembers(m_saved, dir, name, steps)) return failLoad(mode);
    const auto effects = resolveIn(dir, memberFileName(name, kEffectsMember));
    if (m_effects && isFile(effects) && !m_effects->doload(effects).ok()) return failLoad(mode);

    m_list.setLoading(false);
    displays.setScenarioLoading(false);
    if (mode == ScenarioLoadMode::Auto) displays.setScenarioText("Scenario Autochanged");
    showName(name);
    loaded(name);
    return true;
}

void ScenarioFiles::loadPrevious() {
    if (!m_list.canStartLoad()) return;
    StatusDisplays& displays = m_main.displays();
    m_list.setLoading(true);
    displays.setScenarioLoading(true);
    displays.setScenarioText("Loading previous");
    state::RestoreReport report;
    bool ok = true;
    for (int member : kPreviousOrder)
        if (Bank* bank = bankWithMember(m_saved.links(), member))
            ok = m_saved.loadBank(*bank, m_s.folder, state::stateFileNames(), report) && ok;
    // The visual state of the last quit: its slideshow and picture names.
    state::MainState main;
    const auto result = state::readMainState(m_s.folder.resolve(state::kMainStateFile), main);
    if (result.fieldRead(5)) m_texts.slideshow = main.slideshowName;
    if (result.fieldRead(6)) m_texts.picture = main.pictureName;
    if (result.damaged()) ok = false;
    textsChanged(m_texts);
    m_list.setLoading(false);
    displays.setScenarioLoading(false);
    if (!ok) displays.setScenarioText("Recall error");
    // The views that were running at the last quit come back with its sounds.
    if (VisualModeCommands* visual = m_main.commands().visualMode()) visual->restoreVisualState();
}

bool ScenarioFiles::refusedName(const std::string& name, const char* nothingDone) {
    const auto problem = scenarioNameProblem(name);
    if (problem.empty()) return false;
    m_s.dialogs.message(problem + " " + nothingDone, MessageIcon::Warning, kProgramTitle);
    return true;
}

std::string ScenarioFiles::usableSelection(const char* noneSelected, const char* nothingDone) {
    const std::string name = m_list.selected();
    if (name.empty()) {
        m_s.dialogs.message(noneSelected, MessageIcon::Information, kProgramTitle);
        return {};
    }
    return refusedName(name, nothingDone) ? std::string{} : name;
}

// --- save ---

void ScenarioFiles::saveAs() {
    const auto typed =
        m_s.dialogs.inputBox("Please type a name to identify this scenario", kProgramTitle);
    if (!typed) return;
    const std::string name = trimmed(*typed);
    if (name.empty()) return;
    if (refusedName(name, "Nothing was saved.")) return;
    if (isFile(resolveIn(folder(), groupFileName(name))) &&
        !m_s.dialogs.question("A preset already exists with this name. Overwrite?",
                              kProgramTitle)) {
        m_s.dialogs.message("Not saved", MessageIcon::Information, kProgramTitle);
        return;
    }
    writeGroup(name);
}

void ScenarioFiles::saveOver() {
    const std::string name =
        usableSelection("There is no scenario currently selected. Please use the 'save as' option.",
                        "Nothing was saved.");
    if (name.empty()) return;
    if (!m_s.dialogs.question("This will overwrite the scenario - " + name + ". Continue?",
                              kProgramTitle))
        return;
    writeGroup(name);
}

void ScenarioFiles::writeGroup(const std::string& name) {
    const fs::path dir = folder();
    std::error_code ec;
    fs::create_directories(dir, ec);
    state::SaveReport report;
    const auto note = [&report](bool written, const fs::path& path) {
        if (!written) report.failed.push_back(path);
    };
    const auto vlm = resolveIn(dir, groupFileName(name));
    note(replaceFileAtomically(vlm, groupFileBytes(name)).ok(), vlm);
    const ProgramFolder group(dir);
    const auto names = memberFileNames(name);
    for (int member : kSaveOrder)
        if (Bank* bank = bankWithMember(m_saved.links(), member))
            m_saved.saveBank(*bank, group, names, report);
    // Every member is attempted even after a failure: a partial scenario still loads the
    // banks whose files made it.
    const auto member = [&](int m) { return resolveIn(dir, memberFileName(name, m)); };
    note(m_colors->save(member(kSchemeLoadMember)), member(kSchemeLoadMember));
    MainMember main = m_texts;
    main.random = m_s.levels.value(Level::Random);
    main.background = m_s.levels.value(Level::Background);
    main.cd = m_s.levels.value(Level::Cd);
    main.mp3 = m_s.levels.value(Level::Mp3);
    note(replaceFileAtomically(member(kMainMember), mainMemberBytes(main)).ok(),
         member(kMainMember));
    note(m_colors->save(member(kSchemeMember)), member(kSchemeMember));
    if (m_effects) note(m_effects->dosave(member(kEffectsMember)).ok(), member(kEffectsMember));
    if (!report.ok())
        m_s.dialogs.message("The scenario \"" + name + "\" was not saved completely: " +
                                report.summary() + " could not be written.",
                            MessageIcon::Warning, kProgramTitle);
    m_list.refresh();
    m_list.select(name);
    showName(name);
}

// --- delete ---

void ScenarioFiles::deleteSelected() {
    const std::string name =
        usableSelection("Please select the scenario you wish to delete from the list to the left.",
                        "Nothing was deleted.");
    if (name.empty()) return;
    if (!m_s.dialogs.question("This will delete the scenario - " + name +
                                  " .Do you wish to continue?",
                              kProgramTitle))
        return;
    std::string kept;
    auto files = groupFiles(folder(), name);
    files.push_back(resolveIn(folder(), memberFileName(name, kEffectsMember)));
    for (const auto& path : files) {
        std::error_code ec, stillThere;
        fs::remove(path, ec);
        if (ec && fs::exists(path, stillThere)) kept += (kept.empty() ? "" : ", ") + path.string();
    }
    if (!kept.empty())
        m_s.dialogs.message("These files of the scenario \"" + name +
                                "\" could not be removed: " + kept + ".",
                            MessageIcon::Warning, kProgramTitle);
    m_list.select("");
    m_list.refresh();
}

} // namespace velmora::scenarios
