// The session ending by SIGTERM saves exactly what an orderly quit saves.
#include "hub_rig.h"
#include "termination_watcher.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <csignal>
#include <memory>

namespace velmora::test {
namespace {

TEST(Quit, SigtermSavesTheSameStateAsQuit) {
    HubRig byQuit, bySignal;
    for (HubRig* rig : {&byQuit, &bySignal}) {
        rig->start();
        shapeSoundscape(*rig);
    }
    byQuit.main().quit();

    // The event loop the watcher reports through (the view tests' application, if any).
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> own;
    if (!QCoreApplication::instance()) own = std::make_unique<QCoreApplication>(argc, argv);
    TerminationWatcher watcher;
    ASSERT_TRUE(watcher.isActive());
    QObject::connect(&watcher, &TerminationWatcher::terminationRequested,
                     [&](int) { bySignal.main().quit(false); });
    ::raise(SIGTERM);
    for (int i = 0; i < 1000 && !bySignal.main().hasQuit(); ++i)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    ASSERT_TRUE(bySignal.main().hasQuit());

    for (const char* file : {"main2.tmp", "main.tmp"})
        EXPECT_EQ(testing::readBytes(bySignal.file(file)), testing::readBytes(byQuit.file(file)))
            << file;
    for (const std::string& file : kBankStateFiles)
        EXPECT_EQ(testing::readBytes(bySignal.file(file)), testing::readBytes(byQuit.file(file)))
            << file;
}

} // namespace
} // namespace velmora::test
