// velmora_icons: writes the program's icon as the hicolor theme's fixed-size pictures,
// OUT/<N>x<N>/apps/velmora.png, from the same drawing the running program uses.

#include "ui/widgets/program_icon.h"

#include <QDir>
#include <QString>

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: velmora_icons OUTPUT-FOLDER" << std::endl;
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(out).arg(size);
        if (!QDir().mkpath(folder) ||
            !velmora::programIconImage(size).save(folder + "/velmora.png", "PNG")) {
            std::cerr << "velmora_icons: could not write " << folder.toStdString() << std::endl;
            return 1;
        }
    }
    return 0;
}
