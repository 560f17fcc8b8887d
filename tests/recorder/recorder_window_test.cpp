// The recorder window: a long recording runs without blocking the window, shows progress and
// the time left, and cancelling it leaves no file; a short one is saved.
//
// With VELMORA_RECORDER_SHOT=<file.png> set (and a real X display), the screen is captured
// mid-render with ImageMagick's import, for looking at the window.
#include "recorder_window.h"
#include "rig.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace velmora::test {
namespace {

namespace fs = std::filesystem;
using recorder::RecorderWindow;
using recorder::RenderStatus;

struct WindowRig {
    WindowRig() {
        rig.saveState([](Soundscape& s, Levels&) {
            s.backgroundOne().setOn(1, true);
            for (int slot = 1; slot <= 28; ++slot)
                s.randomBanks().bank(1).setFrequency(slot, 200);
        });
        recorder::RenderRequest defaults;
        defaults.programFolder = rig.dir();
        window = std::make_unique<RecorderWindow>(defaults, true);
        window->show();
    }
    template <typename T> T* find(const char* name) { return window->findChild<T*>(name); }
    void set(int minutes, int seconds, const fs::path& file) {
        find<QSpinBox>("spinminutes")->setValue(minutes);
        find<QSpinBox>("spinseconds")->setValue(seconds);
        find<QLineEdit>("txtoutput")->setText(QString::fromStdString(file.string()));
    }
    ProgramFolderRig rig;
    testing::TempDir out;
    std::unique_ptr<RecorderWindow> window;
};

// Started from Velmora, the window opens over the middle of its main window; without one,
// in the middle of the screen; either way whole on the screen.
TEST(RecorderWindow, OpensCentredOnTheMainWindow) {
    QWidget window;
    window.resize(400, 300);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    recorder::placeWindow(window, std::pair{700, 500});
    EXPECT_LE((window.frameGeometry().center() - QPoint(700, 500)).manhattanLength(), 2);
    recorder::placeWindow(window, std::nullopt);
    EXPECT_LE((window.frameGeometry().center() - screen.center()).manhattanLength(), 2);
    recorder::placeWindow(window, std::pair{screen.right(), screen.bottom()});
    EXPECT_TRUE(screen.contains(window.frameGeometry())) << "a main window half off the screen";
}

TEST(RecorderWindow, LongRecordingShowsProgressAndCancelLeavesNoFile) {
    WindowRig w;
    const auto file = w.out / "long.wav";
    w.set(600, 0, file); // ten hours: still running when we look
    QSignalSpy ended(w.window.get(), &RecorderWindow::recordingEnded);
    ASSERT_TRUE(w.window->startRecording());
    EXPECT_TRUE(w.window->isRecording());
    EXPECT_FALSE(w.find<QSpinBox>("spinminutes")->isEnabled());

    // The window keeps handling events while the worker renders.
    auto* bar = w.find<QProgressBar>("progress");
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->value() >= 3; }, 60000)) << bar->value();
    QTest::qWait(600);
    EXPECT_NE(w.find<QLabel>("lblstatus")->text().indexOf("left"), -1)
        << w.find<QLabel>("lblstatus")->text().toStdString();
    if (const char* shot = std::getenv("VELMORA_RECORDER_SHOT"))
        QProcess::execute("import", {"-window", "root", shot});

    w.window->cancelRecording();
    ASSERT_TRUE(ended.wait(30000));
    EXPECT_EQ(ended.at(0).at(0).toInt(), static_cast<int>(RenderStatus::Cancelled));
    EXPECT_FALSE(w.window->isRecording());
    EXPECT_TRUE(w.find<QSpinBox>("spinminutes")->isEnabled());
    EXPECT_EQ(testing::entryCount(w.out.path()), 0u);
}

TEST(RecorderWindow, ShortRecordingIsSaved) {
    WindowRig w;
    const auto file = w.out / "short.flac";
    w.set(0, 3, file);
    QSignalSpy ended(w.window.get(), &RecorderWindow::recordingEnded);
    ASSERT_TRUE(w.window->startRecording());
    ASSERT_TRUE(ended.wait(60000));
    EXPECT_EQ(ended.at(0).at(0).toInt(), static_cast<int>(RenderStatus::Finished))
        << ended.at(0).at(1).toString().toStdString();
    EXPECT_EQ(readStereo(file).left.size(), 3u * 44100u);
    EXPECT_EQ(w.find<QProgressBar>("progress")->value(), 1000);
}

} // namespace
} // namespace velmora::test
