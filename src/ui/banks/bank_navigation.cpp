#include "bank_navigation.h"

#include "core/main_window/bank_panels.h"

#include <QHBoxLayout>
#include <QObject>
#include <QPushButton>
#include <QWidget>

#include <algorithm>
#include <map>

namespace velmora {

QString bankPanelCaption(const std::string& window) {
    static const std::map<std::string, const char*> captions = {
        {"frmback", "Backgrounds 1"},   {"frmback2", "Backgrounds 2"},
        {"frmbackbw", "Brainwaves"},    {"frmrandommain", "Random Sounds"},
        {"frmcustom", "Custom Random"}, {"frmbackcustom", "Custom Background"},
    };
    const auto it = captions.find(window);
    return it == captions.end() ? QString::fromStdString(window) : QObject::tr(it->second);
}

std::vector<BankPanelButton> bankPanelButtons() {
    std::vector<BankPanelButton> out;
    for (const auto& b : kBankButtons)
        out.push_back({b.windowName, bankPanelCaption(b.windowName),
                       QStringLiteral("cmdshow") + QString::fromLatin1(b.windowName)});
    return out;
}

QWidget* makeBankNavigationRow(const std::string& ownWindow, std::vector<BankPanelButton> leading,
                               const BankNavigation& navigation, QWidget* parent) {
    for (auto& panel : bankPanelButtons()) {
        const bool reached =
            std::any_of(leading.begin(), leading.end(),
                        [&](const BankPanelButton& b) { return b.windowName == panel.windowName; });
        if (!reached) leading.push_back(std::move(panel));
    }
    auto* row = new QWidget(parent);
    row->setObjectName(QStringLiteral("bankNavigation"));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    for (const auto& b : leading) {
        if (!navigation.exists || !navigation.exists(b.windowName)) continue;
        auto* button = new QPushButton(b.caption, row);
        button->setObjectName(b.objectName);
        button->setToolTip(QObject::tr("Show the %1 bank").arg(b.caption));
        button->setFocusPolicy(Qt::NoFocus);
        if (b.windowName == ownWindow) { // shown pressed, as on the main window, not pressable
            button->setCheckable(true);
            button->setChecked(true);
            button->setEnabled(false);
        }
        QObject::connect(button, &QPushButton::clicked, row,
                         [show = navigation.show, window = b.windowName] {
                             if (show) show(window);
                         });
        layout->addWidget(button);
    }
    layout->addStretch(1);
    return row;
}

} // namespace velmora
