// recorder: renders a Velmora soundscape to a sound file, far faster than real time.
// Exit status: 0 done, 1 failed or interrupted (one line on stderr), 2 bad arguments.
#include "command_line.h"
#include "recorder_window.h"
#include "render.h"

#include "core/state/saved_soundscape.h"
#include "platform/program_folder.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <random>
#include <string>

#include <unistd.h>

namespace {

std::atomic<bool> g_interrupted{false};

extern "C" void onInterrupt(int) {
    g_interrupted.store(true);
}

std::uint64_t freshSeed() {
    std::random_device rd;
    const auto now =
        static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    return (static_cast<std::uint64_t>(rd()) << 32) ^ rd() ^ now;
}

std::string clockText(double seconds) {
    const auto s = static_cast<long long>(seconds + 0.5);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", s / 3600, (s / 60) % 60, s % 60);
    return buf;
}

int renderFromCommandLine(velmora::recorder::RenderRequest request) {
    using namespace velmora::recorder;
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
    const bool tty = ::isatty(STDERR_FILENO) != 0;
    int lastTenth = -1;
    const auto started = std::chrono::steady_clock::now();
    std::cerr << "recorder: seed " << request.seed << "\n";
    const auto outcome = render(
        request,
        [&](const RenderProgress& p) {
            const int percent = static_cast<int>(p.fraction() * 100);
            const double audio = static_cast<double>(p.framesDone) / 44100.0;
            if (tty) {
                std::cerr << "\rrecorder: " << percent << "% (" << clockText(audio) << " of "
                          << clockText(request.seconds) << ")" << std::flush;
            } else if (percent / 10 != lastTenth) {
                lastTenth = percent / 10;
                std::cerr << "recorder: " << percent << "%\n";
            }
        },
        &g_interrupted);
    if (tty) std::cerr << "\n";
    for (const auto& w : outcome.warnings)
        std::cerr << "recorder: warning: " << w << "\n";
    switch (outcome.status) {
    case RenderStatus::Finished: {
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::cerr << "recorder: wrote " << request.output.string() << " ("
                  << clockText(request.seconds) << " in " << wall << " s)\n";
        return 0;
    }
    case RenderStatus::Cancelled:
        std::cerr << "recorder: interrupted; no file was written\n";
        return 1;
    case RenderStatus::Failed:
        std::cerr << "recorder: " << outcome.error << "\n";
        return 1;
    }
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    using namespace velmora::recorder;
    std::vector<std::string> args(argv + 1, argv + argc);
    CommandLine cl = parseCommandLine(args);
    switch (cl.mode) {
    case CommandLine::Mode::Invalid:
        std::cerr << "recorder: " << cl.error << "\n" << kUsage << "\n";
        return 2;
    case CommandLine::Mode::Help:
        std::cout << kUsage << "\n";
        return 0;
    case CommandLine::Mode::Render:
        if (!cl.seed) cl.request.seed = freshSeed();
        if (auto problem = validate(cl.request); !problem.empty()) {
            std::cerr << "recorder: " << problem << "\n";
            return 1;
        }
        return renderFromCommandLine(cl.request);
    case CommandLine::Mode::Window:
        break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("Velmora Recorder");
    if (!cl.programFolder)
        cl.request.programFolder = velmora::ProgramFolder::forExecutable(
                                       QCoreApplication::applicationFilePath().toStdString())
                                       .root();
    if (!cl.seed) cl.request.seed = freshSeed();
    // A snapshot Velmora made for this window is ours to remove once we are done with it;
    // held meanwhile, so Velmora quitting first does not take it away.
    const bool snapshot =
        cl.programFolder && velmora::state::SavedSoundscape::holdSnapshotFolder(*cl.programFolder);
    // Logging out ends the window like its Close button, so the snapshot still goes.
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
    QTimer interrupted;
    QObject::connect(&interrupted, &QTimer::timeout, &app, [] {
        if (g_interrupted.load()) QCoreApplication::quit();
    });
    interrupted.start(200);
    int status = 0;
    {
        RecorderWindow window(cl.request, cl.seed.has_value());
        placeWindow(window, cl.centreOn);
        window.show();
        status = app.exec();
    }
    if (snapshot) velmora::state::SavedSoundscape::removeSnapshotFolder(*cl.programFolder);
    return status;
}
