// updater: tells the user which Velmora this is and how this installation is kept up to
// date. Started by the options window's update button from the program folder;
// "--print" writes the same text to standard output instead of showing a window.

#include "update_advice.h"

#include <QApplication>
#include <QMessageBox>

#include <cstring>
#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    using namespace velmora::updater;
    const auto folder = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    const auto installation =
        findInstallation(folder, dpkgOwner, VELMORA_SOURCE_DIR, VELMORA_VERSION);
    const std::string text = adviceText(installation);
    if (argc > 1 && std::strcmp(argv[1], "--print") == 0) {
        std::cout << text << std::endl;
        return 0;
    }
    QApplication app(argc, argv);
    QMessageBox box(QMessageBox::Information, QString::fromStdString(adviceTitle()),
                    QString::fromStdString(text), QMessageBox::Close);
    box.setObjectName("updater");
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
    return 0;
}
