#include "bank_navigation.h"

#include "banks/random/random_bank_table.h"
#include "core/main_window/bank_panels.h"

#include <QObject>
#include <QVariant>
#include <QWidget>

#include <map>

namespace velmora {

namespace {
constexpr const char* kStandaloneOnly = "velmoraStandaloneOnly";
constexpr int kThemes = 4;
} // namespace

QString bankPanelCaption(const std::string& window) {
    static const std::map<std::string, const char*> captions = {
        {"frmback", "Backgrounds 1"},   {"frmback2", "Backgrounds 2"},
        {"frmbackbw", "Brainwaves"},    {"frmrandommain", "Random Sounds"},
        {"frmcustom", "Custom Random"}, {"frmbackcustom", "Custom Background"},
    };
    const auto it = captions.find(window);
    return it == captions.end() ? QString::fromStdString(window) : QObject::tr(it->second);
}

std::vector<BankTab> bankTabs() {
    std::vector<BankTab> out;
    for (const auto& b : kBankButtons)
        out.push_back(
            {b.windowName, bankPanelCaption(b.windowName), QString::fromLatin1(b.objectName)});
    return out;
}

std::vector<BankTab> randomThemeTabs() {
    std::vector<BankTab> out;
    for (int n = 1; n <= kThemes; ++n) {
        const auto& table = randomBankTable(n);
        out.push_back({table.windowName, QString::fromStdString(table.theme),
                       QStringLiteral("cmdtheme%1").arg(n)});
    }
    return out;
}

std::string tabWindowOf(const std::string& window) {
    for (const auto& theme : randomThemeTabs())
        if (theme.windowName == window) return randomBankTable(1).windowName;
    return window;
}

void markStandaloneOnly(QWidget* part) {
    part->setProperty(kStandaloneOnly, true);
}

void hideStandaloneOnly(QWidget* panel) {
    for (QWidget* w : panel->findChildren<QWidget*>())
        if (w->property(kStandaloneOnly).toBool()) w->hide();
}

} // namespace velmora
