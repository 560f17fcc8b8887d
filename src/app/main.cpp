// Velmora: an ambient-soundscape mixer. One process, one UI thread; the sound engine mixes
// on its own audio thread.
#include "application.h"
#include "core/services.h"
#include "termination_watcher.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(velmora::kProgramFileName));
    QApplication::setApplicationDisplayName(QString::fromUtf8(velmora::kProgramTitle));
    QApplication::setDesktopFileName(QStringLiteral("velmora"));
    // The main window hides while the remote shows; only the orderly quit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);

    velmora::Application app;
    velmora::TerminationWatcher watcher;
    QObject::connect(&watcher, &velmora::TerminationWatcher::terminationRequested, &app,
                     [&app](int) { app.terminate(); });
    app.start();
    return QApplication::exec();
}
