// velmora_visual_bench PROGRAM_FOLDER panorama SPEED SECONDS
// velmora_visual_bench PROGRAM_FOLDER slideshow SECONDS
// Runs one view full screen on the display it is given (e.g. Xvfb at 1920 x 1080) and
// prints its cost: the process's CPU time as a share of one core while the panorama pans,
// or the longest gap between 5 ms ticks of the UI thread while the slideshow changes its
// picture every second.
#include "core/main_window/main_window_controller.h"
#include "core/services.h"
#include "hotkeys/hotkeys.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/qt/qt_timer_service.h"
#include "platform/random.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "ui/visual/panorama_view.h"
#include "ui/visual/slideshow_view.h"
#include "visual/visual_mode.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <sys/resource.h>
#include <time.h>

#include <cstdio>
#include <string>

using namespace velmora;

namespace {
double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

/// CPU time of the calling thread: what the UI thread itself spent, whatever else the
/// machine was doing.
double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

struct NoKeys final : KeyHandler {
    void handleKey(const std::string&) override {}
};
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s FOLDER panorama SPEED SECONDS | FOLDER slideshow SECONDS\n",
                     argv[0]);
        return 2;
    }
    const std::string mode = argv[2];
    audio::SoundEngine engine{audio::Backend::Offline};
    QtTimerService timers;
    SeededRandom random{1};
    SystemClock clock;
    ScriptedDialogs dialogs;
    MemorySettingsStore settings;
    RecordingShell shell;
    ProgramFolder folder{argv[1]};
    Levels levels;
    Services services{engine, timers, random, clock, dialogs, settings, shell, folder, levels};
    MainWindowController main{services};
    visual::VisualMode visual{services, main.commands(), [] {}};
    NoKeys keys;
    QWidget screenOf;

    if (mode == "panorama" && argc >= 5) {
        PanoramaView view(visual, keys, &screenOf);
        visual.panorama().setSpeed(std::stoi(argv[3]));
        const int seconds = std::stoi(argv[4]);
        QObject::connect(&view, &PanoramaView::pictureLoaded, &app, [&] {
            visual.panorama().startStop();
            // Let the first frames settle before measuring.
            QTimer::singleShot(1000, &app, [&] {
                const double cpu0 = cpuSeconds();
                QElapsedTimer wall;
                wall.start();
                const int x0 = visual.panorama().offsetX();
                QTimer::singleShot(seconds * 1000, &app, [&, cpu0, wall, x0] {
                    const double used = cpuSeconds() - cpu0;
                    const double elapsed = double(wall.elapsed()) / 1000.0;
                    std::printf("panorama speed %d: %.2f %% of a core over %.1f s, moved %d px\n",
                                visual.panorama().speed(), 100.0 * used / elapsed, elapsed,
                                visual.panorama().offsetX() - x0);
                    app.quit();
                });
            });
        });
        visual.panoramic();
        return app.exec();
    }

    SlideshowView view(visual, keys, settings, &screenOf);
    visual.sources().setChangeEvery("0");
    const int seconds = std::stoi(argv[3]);
    QElapsedTimer since;
    qint64 worst = 0, last = 0;
    double worstWork = 0, lastWork = 0;
    int changes = 0;
    QObject::connect(&view, &SlideshowView::pictureShown, &app, [&] { ++changes; });
    QTimer probe;
    probe.setInterval(5);
    QObject::connect(&probe, &QTimer::timeout, &app, [&] {
        const qint64 now = since.elapsed();
        const double work = threadCpuMs();
        if (last > 0) {
            worst = std::max(worst, now - last);
            worstWork = std::max(worstWork, work - lastWork);
        }
        last = now;
        lastWork = work;
    });
    since.start();
    probe.start();
    visual.slideshow();
    QTimer::singleShot(seconds * 1000, &app, [&] {
        std::printf("slideshow: %d pictures shown in %d s, longest gap between 5 ms ticks %lld ms, "
                    "longest UI-thread work between two ticks %.1f ms\n",
                    changes, seconds, static_cast<long long>(worst), worstWork);
        app.quit();
    });
    return app.exec();
}
