#include "render.h"

#include "sound_file_output.h"

#include "banks/soundscape.h"
#include "core/main_window/scenario_list.h"
#include "core/offline_services.h"
#include "effects/effects_controller.h"
#include "scenarios/scenario_group.h"
#include "scenarios/scenario_load.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <system_error>

namespace velmora::recorder {

namespace fs = std::filesystem;

namespace {

constexpr int kRate = audio::kSampleRate;
constexpr int kBlockFrames = kRate * kBlockMs / 1000;

std::int64_t toFrames(double seconds) {
    return static_cast<std::int64_t>(std::llround(std::max(0.0, seconds) * kRate));
}

} // namespace

fs::path scenarioFolder(const fs::path& programFolder) {
    return ProgramFolder(programFolder).resolve(scenarios::kScenarioFolder);
}

std::vector<std::string> scenarioNames(const fs::path& programFolder) {
    return listScenarioNames(scenarioFolder(programFolder));
}

std::string validate(const RenderRequest& r) {
    std::error_code ec;
    if (!(r.seconds > 0) || !std::isfinite(r.seconds))
        return "The length of the recording must be more than 0 seconds.";
    if (r.seconds > kMaxSeconds) return "A recording can be at most 24 hours long.";
    if (!(r.fadeInSeconds >= 0) || !(r.fadeOutSeconds >= 0) || !std::isfinite(r.fadeInSeconds) ||
        !std::isfinite(r.fadeOutSeconds))
        return "Fade lengths must be 0 seconds or more.";
    if (!fs::is_directory(r.programFolder, ec))
        return "The program folder " + r.programFolder.string() + " does not exist.";
    if (!r.scenario.empty()) {
        if (!scenarioNameProblem(r.scenario).empty() ||
            !scenarios::hasRequiredMembers(scenarioFolder(r.programFolder), r.scenario))
            return "There is no scenario called \"" + r.scenario + "\" in " +
                   scenarioFolder(r.programFolder).string() + ".";
    }
    if (r.output.empty()) return "No output file was given.";
    if (!formatForPath(r.output))
        return "Recordings can be saved as .wav, .flac or .ogg files, not as " +
               r.output.filename().string() + ".";
    const fs::path outFolder = r.output.has_parent_path() ? r.output.parent_path() : fs::path(".");
    if (!fs::is_directory(outFolder, ec))
        return "The folder " + outFolder.string() + " does not exist.";
    if (fs::is_directory(r.output, ec)) return r.output.string() + " is a folder.";
    return {};
}

float fadeGain(std::int64_t frame, std::int64_t total, std::int64_t fadeIn, std::int64_t fadeOut) {
    double g = 1.0;
    const auto curve = [](double x) {
        x = std::clamp(x, 0.0, 1.0);
        const double s = std::sin(x * std::numbers::pi / 2);
        return s * s;
    };
    if (fadeIn > 0 && frame < fadeIn) g *= curve(static_cast<double>(frame) / fadeIn);
    const std::int64_t fromEnd = total - 1 - frame;
    if (fadeOut > 0 && fromEnd < fadeOut) g *= curve(static_cast<double>(fromEnd) / fadeOut);
    return static_cast<float>(g);
}

RenderOutcome render(const RenderRequest& request,
                     const std::function<void(const RenderProgress&)>& progress,
                     const std::atomic<bool>* cancel, const RenderHooks& hooks) {
    RenderOutcome out;
    if (auto problem = validate(request); !problem.empty()) {
        out.error = std::move(problem);
        return out;
    }
    const std::int64_t total = toFrames(request.seconds);
    const std::int64_t fadeIn = std::min(total, toFrames(request.fadeInSeconds));
    const std::int64_t fadeOut = std::min(total, toFrames(request.fadeOutSeconds));

    SoundFileOutput file;
    const auto serial = static_cast<std::uint32_t>(request.seed ^ (request.seed >> 32)) ^ 0x56454Cu;
    if (!file.open(request.output, total, serial)) {
        out.error = file.errorText();
        return out;
    }

    OfflineServices world(request.programFolder, request.seed);
    Soundscape soundscape(world.services);
    state::SavedSoundscape saved(world.levels, soundscape.links());
    state::MainState main;
    state::Main2State main2;
    const auto report = saved.restore(world.folder, main, main2);
    // The effects the program would play at its start, which for a snapshot is what played
    // when it was taken.
    effects::EffectsController fx(world.services);
    fx.load();
    if (!request.scenario.empty()) {
        const auto dir = scenarioFolder(request.programFolder);
        scenarios::MainMember texts;
        const scenarios::MainLevelsKept levels(world.levels, world.folder);
        const bool ok =
            scenarios::applyMainMember(
                scenarios::resolveIn(
                    dir, scenarios::memberFileName(request.scenario, scenarios::kMainMember)),
                world.levels, texts) &&
            scenarios::loadBankMembers(saved, dir, request.scenario, {});
        if (!ok) {
            file.discard();
            out.error = "The scenario \"" + request.scenario + "\" could not be loaded.";
            return out;
        }
    }
    for (const auto& m : world.dialogs.messages)
        out.warnings.push_back(m.text);
    for (const auto& path : report.damagedFiles)
        out.warnings.push_back(path.filename().string() +
                               " has damaged fields; their saved values were not used.");
    if (hooks.prepare) hooks.prepare(world.services, soundscape);

    std::vector<float> block(static_cast<std::size_t>(kBlockFrames) * 2);
    RenderProgress p{0, total};
    const std::int64_t reportEvery = kRate; // a second of audio
    std::int64_t nextReport = reportEvery;
    const auto cancelled = [&] { return cancel && cancel->load(std::memory_order_relaxed); };

    while (p.framesDone < total) {
        if (cancelled()) {
            file.discard();
            out.status = RenderStatus::Cancelled;
            out.frames = p.framesDone;
            return out;
        }
        const int n = static_cast<int>(std::min<std::int64_t>(kBlockFrames, total - p.framesDone));
        // Audio first, then time: what a timer does at t is heard from t on.
        world.engine.render(block.data(), n);
        const bool fading = p.framesDone < fadeIn || p.framesDone + n > total - fadeOut;
        if (fading)
            for (int i = 0; i < n; ++i) {
                const float g = fadeGain(p.framesDone + i, total, fadeIn, fadeOut);
                block[2 * i] *= g;
                block[2 * i + 1] *= g;
            }
        if (!file.write(block.data(), n)) {
            out.error = file.errorText();
            return out;
        }
        world.timers.advance(kBlockMs);
        p.framesDone += n;
        if (progress && p.framesDone >= nextReport) {
            progress(p);
            nextReport += reportEvery;
        }
    }
    if (hooks.inspect) hooks.inspect(world.services, soundscape);
    if (cancelled()) {
        file.discard();
        out.status = RenderStatus::Cancelled;
        out.frames = p.framesDone;
        return out;
    }
    if (!file.commit()) {
        out.error = file.errorText();
        return out;
    }
    if (progress) progress(p);
    out.status = RenderStatus::Finished;
    out.frames = total;
    return out;
}

} // namespace velmora::recorder
