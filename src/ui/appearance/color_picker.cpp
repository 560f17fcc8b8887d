#include "color_picker.h"

#include "appearance/color_elements.h"
#include "ui/startup/window_position.h"
#include "ui/widgets/command_button.h"
#include "ui/widgets/scheme_style.h"

#include <QColorDialog>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmora {

std::optional<std::uint32_t> pickElementColour(QWidget* parent, int element, std::uint32_t current,
                                               const ColorScheme& scheme, SettingsStore& settings) {
    QDialog window(parent);
    window.setObjectName(QStringLiteral("Frmcolorpicker"));
    const auto label = appearance::elementLabel(element);
    window.setWindowTitle(QObject::tr("Choose the \"%1\" color")
                              .arg(QString::fromUtf8(label.data(), qsizetype(label.size()))));
    auto* chooser = new QColorDialog(qColor(current), &window);
    chooser->setWindowFlags(Qt::Widget);
    chooser->setOptions(QColorDialog::NoButtons | QColorDialog::DontUseNativeDialog);
    auto* ok = makeCommandButton(&window, "cmdOK", QObject::tr("OK"), {});
    auto* cancel = makeCommandButton(&window, "cmdCancel", QObject::tr("Cancel"), {});
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &window, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &window, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(chooser);
    layout->addLayout(buttons);
    applyScheme(&window, scheme);
    restoreWindowPosition(&window, settings);
    const bool accepted = window.exec() == QDialog::Accepted;
    saveWindowPosition(&window, settings);
    if (!accepted) return std::nullopt;
    return toBgr(chooser->currentColor().rgb() & 0xFFFFFFu);
}

} // namespace velmora
