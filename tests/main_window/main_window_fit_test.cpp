// The main window on a laptop screen: with every bank panel and every window button there,
// it opens within 1366 x 768 with each control inside it and no panel scrolled; the bank
// tabs show where the user is on every bank, themes included.
#include "hub_rig.h"
#include "ui/banks/background/background_bank_view.h"
#include "ui/banks/background/bw_bank_view.h"
#include "ui/banks/random/random_bank_view.h"
#include "ui/banks/random/random_windows.h"
#include "ui/main_window/bank_area.h"
#include "ui/main_window/main_window_view.h"
#include "ui/main_window/window_fit.h"

#include <QApplication>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <gtest/gtest.h>

namespace velmora::test {
namespace {

/// The main window as the program builds it: every panel, every window button.
struct FullWindow {
    FullWindow() {
        rig.start();
        for (const auto& w : kWindowButtons)
            rig.main().windows().add(w.windowName, [] {});
        view = std::make_unique<MainWindowView>(rig.main(), rig.levels());
        auto& world = rig.world();
        auto& area = view->bankArea();
        area.addPanel("frmback",
                      [&] { return new BackgroundBankView(world.backgroundOne, levels()); });
        area.addPanel("frmback2",
                      [&] { return new BackgroundBankView(world.backgroundTwo, levels()); });
        area.addPanel("frmbackbw", [&] { return new BwBankView(world.soundscape.bw(), levels()); });
        area.addPanel("frmbackcustom",
                      [&] { return new BackgroundBankView(world.customBackground, levels()); });
        random = std::make_unique<RandomWindows>(world.randomBanks, levels(), world.settings);
        for (int n = 1; n <= 4; ++n)
            area.addPanel(world.randomBanks.bank(n).windowName(),
                          [this, n] { return &random->bankView(n); });
        area.addPanel("frmcustom", [this] { return &random->customView(); });
        area.makeAllPanels();
    }
    ~FullWindow() {
        random.reset(); // its views leave the bank area first, as in the program
        view.reset();
    }
    Levels& levels() { return rig.levels(); }

    HubRig rig;
    std::unique_ptr<MainWindowView> view;
    std::unique_ptr<RandomWindows> random;
};

TEST(MainWindowFit, OpensWithinALaptopScreenWithEveryControlInside) {
    FullWindow w;
    MainWindowView& view = *w.view;
    // Every status display with something to say: music playing, no CD drive.
    w.rig.main().displays().setMp3Time("12:34");
    w.rig.main().displays().setCdText("No CD Drive");
    view.show(); // opens for the test screen; then as it would on a laptop's
    const QRect laptop(0, 0, 1366, 768);
    view.resize(openingSize(view.sizeHint(), laptop));
    QApplication::processEvents();
    EXPECT_LE(view.width(), 1366);
    EXPECT_LE(view.height() + kWindowFrameAllowance, 768);
    EXPECT_GE(view.height(), view.minimumSizeHint().height()) << "the window may not be squeezed";
    EXPECT_LE(view.bankArea().missingSize().width(), 0) << "the widest panel fits";
    EXPECT_LE(view.bankArea().missingSize().height(), 0) << "the tallest panel fits";

    for (const auto& b : kBankButtons) {
        w.rig.main().panels().showBank(b.windowName);
        QApplication::processEvents();
        auto* area = view.findChild<QScrollArea*>(QString::fromLatin1(b.windowName) + "Area");
        ASSERT_NE(area, nullptr) << b.windowName;
        EXPECT_FALSE(area->horizontalScrollBar()->isVisible()) << b.windowName;
        EXPECT_FALSE(area->verticalScrollBar()->isVisible()) << b.windowName;
    }
    for (auto* button : view.findChildren<QPushButton*>()) {
        if (!button->isVisible()) continue;
        const QRect inWindow(button->mapTo(&view, QPoint()), button->size());
        EXPECT_TRUE(view.rect().contains(inWindow))
            << button->objectName().toStdString() << " at " << inWindow.x() << "," << inWindow.y();
    }
    int windowButtons = 0;
    for (const auto& b : kWindowButtons)
        if (auto* button = view.findChild<QPushButton*>(b.objectName);
            button && button->isVisible())
            ++windowButtons;
    EXPECT_EQ(windowButtons, static_cast<int>(kWindowButtons.size()));
}

TEST(MainWindowFit, OpeningSizeGrowsOnLargeScreensAndStaysOnSmallOnes) {
    const QSize needed(1200, 650);
    EXPECT_EQ(openingSize(needed, QRect(0, 0, 1920, 1080)), QSize(1440, 810));
    EXPECT_EQ(openingSize(needed, QRect(0, 0, 1366, 768)), QSize(1200, 650));
    EXPECT_EQ(openingSize(QSize(1500, 900), QRect(0, 0, 1366, 768)), QSize(1366, 728))
        << "never past the screen";
}

// One navigation: "Random Sounds" stays lit on every theme, the lit theme says which, and
// the panels neither repeat the tabs nor the Levels column beside them.
TEST(MainWindowFit, TabsShowWhereTheUserIsOnEveryBank) {
    FullWindow w;
    MainWindowView& view = *w.view;
    view.show();
    const auto lit = [&view] {
        QStringList out;
        for (auto* b : view.bankArea().findChildren<QPushButton*>())
            if (b->isChecked() && b->isVisible()) out << b->text();
        return out;
    };
    auto* random = view.findChild<QPushButton*>("xpbs37");
    auto* themes = view.findChild<QPushButton*>("cmdtheme1");
    ASSERT_TRUE(random && themes);
    EXPECT_FALSE(themes->isVisible()) << "themes only under Random Sounds";

    w.rig.main().panels().randombank(3);
    EXPECT_EQ(lit(), QStringList({"Random Sounds", "Animals"}));
    view.findChild<QPushButton*>("cmdtheme2")->click();
    EXPECT_EQ(w.rig.main().panels().shownBank(), "frmrandommain2");
    EXPECT_EQ(lit(), QStringList({"Random Sounds", "Insects and Frogs"}));
    view.findChild<QPushButton*>("chameleonButton11")->click();
    EXPECT_EQ(lit(), QStringList({"Custom Random"}));
    EXPECT_FALSE(themes->isVisible());

    for (const auto& b : kBankButtons) {
        QWidget* panel = view.findChild<QWidget*>(QString::fromLatin1(b.windowName));
        ASSERT_NE(panel, nullptr) << b.windowName;
        EXPECT_TRUE(
            panel->findChildren<QPushButton*>(QRegularExpression("^(cmdshow|cmdtheme)")).isEmpty())
            << b.windowName;
        auto* copy = panel->findChild<QSlider*>("ucSlider20");
        ASSERT_NE(copy, nullptr) << "the main window still mirrors into " << b.windowName;
        EXPECT_FALSE(copy->isVisibleTo(panel)) << b.windowName;
    }
    RandomBankView alone(w.rig.world().randomBanks.bank(2), w.levels(), {});
    EXPECT_TRUE(alone.findChild<QSlider*>("ucSlider20")->isVisibleTo(&alone));
}

} // namespace
} // namespace velmora::test
