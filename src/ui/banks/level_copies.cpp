#include "level_copies.h"

#include "ui/banks/bank_navigation.h"
#include "ui/widgets/level_slider.h"

#include <QGridLayout>
#include <QWidget>

namespace velmora {

QWidget* makeLevelCopies(Levels& levels, std::initializer_list<LevelCopy> copies, QWidget* parent) {
    auto* box = new QWidget(parent);
    box->setObjectName(QStringLiteral("levelCopies"));
    markStandaloneOnly(box);
    auto* layout = new QGridLayout(box);
    layout->setContentsMargins(0, 4, 0, 0);
    constexpr int kPerRow = 3;
    int i = 0;
    for (const auto& [level, name] : copies) {
        layout->addWidget(
            new LevelSlider(levels, level, QString::fromLatin1(name), Qt::Horizontal, box),
            i / kPerRow, i % kPerRow);
        ++i;
    }
    return box;
}

} // namespace velmora
