// Velmora: an ambient-soundscape mixer. One process, one UI thread; the sound engine mixes
// on its own audio thread. One Velmora runs per user: a later start hands its command to it.
#include "application.h"
#include "core/services.h"
#include "desktop/command_line.h"
#include "desktop/instance_requests.h"
#include "platform/ini_settings_store.h"
#include "platform/instance_lock.h"
#include "platform/qt/qt_instance_socket.h"
#include "platform/quiet_stderr.h"
#include "termination_watcher.h"

#include <QApplication>

#include <chrono>
#include <iostream>

namespace {

using velmora::desktop::Action;
using velmora::desktop::Command;

// The instance holding the lock may still be starting; give it time to answer.
constexpr std::chrono::seconds kAnswerTimeout{20};

/// The running instance does the work; this start only reports what came back.
int forwardToRunningInstance(int argc, char** argv, Command command,
                             const std::filesystem::path& socket) {
    QCoreApplication qtApp(argc, argv);
    if (command.action == Action::Start) command.action = Action::Show;
    const auto reply = velmora::sendToRunningInstance(
        socket.string(), velmora::desktop::encodeCommand(command), kAnswerTimeout);
    const auto outcome = reply ? velmora::desktop::decodeOutcome(*reply) : std::nullopt;
    if (!outcome) {
        std::cerr << "velmora: Velmora is running but did not answer." << std::endl;
        return 1;
    }
    if (!outcome->message.empty())
        (outcome->exitCode == 0 ? std::cout : std::cerr) << outcome->message << std::endl;
    return outcome->exitCode;
}

} // namespace

int main(int argc, char** argv) {
    const auto parsed =
        velmora::desktop::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed.command) {
        std::cerr << "velmora: " << parsed.error << "\n"
                  << velmora::desktop::usageLine() << std::endl;
        return 2;
    }
    const Command& command = *parsed.command;
    if (command.action == Action::Help) {
        std::cout << velmora::desktop::helpText();
        return 0;
    }
    if (command.action == Action::Version) {
        std::cout << velmora::kProgramTitle << " " << VELMORA_VERSION << std::endl;
        return 0;
    }

    velmora::setLibraryOutputShown(command.verbose);

    // Two instances must never write the same state files: whoever holds the lock of this
    // settings folder runs.
    std::string why;
    const auto runtime = velmora::privateRuntimeFolder(why);
    const std::string name = velmora::instanceName(velmora::IniSettingsStore::defaultFolder());
    const auto lockFile = runtime / (name + ".lock");
    const auto socketFile = runtime / (name + ".socket");
    velmora::InstanceLock lock;
    if (!runtime.empty()) {
        switch (lock.acquire(lockFile)) {
        case velmora::InstanceLock::Result::HeldElsewhere:
            return forwardToRunningInstance(argc, argv, command, socketFile);
        case velmora::InstanceLock::Result::Failed:
            why = "cannot lock " + lockFile.string();
            break;
        case velmora::InstanceLock::Result::Acquired:
            break;
        }
    }
    if (command.action == Action::Quit) {
        std::cout << "Velmora is not running." << std::endl;
        return 0;
    }

    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(velmora::kProgramFileName));
    QApplication::setApplicationDisplayName(QString::fromUtf8(velmora::kProgramTitle));
    QApplication::setDesktopFileName(QStringLiteral("velmora"));
    // The main window hides while the remote shows; only the orderly quit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    velmora::Application app;
    if (const auto refused = app.check(command); refused.exitCode != 0) {
        std::cerr << refused.message << std::endl;
        return refused.exitCode;
    }
    if (lock.isHeld() && !app.serveInstances(socketFile.string(), why))
        why = "cannot listen for later starts: " + why;
    // Without the lock or the socket Velmora still runs; later starts then cannot reach it.
    if (!why.empty()) std::cerr << "velmora: " << why << std::endl;

    velmora::TerminationWatcher watcher;
    QObject::connect(&watcher, &velmora::TerminationWatcher::terminationRequested, &app,
                     [&app](int) { app.terminate(); });
    app.start(command);
    return QApplication::exec();
}
