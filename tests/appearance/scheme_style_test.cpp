// The scheme on screen: what the applier paints, measured on rendered pixels.
#include "appearance/scheme_editor.h"
#include "core/main_window/main_window_controller.h"
#include "core/offline_services.h"
#include "support/temp_dir.h"
#include "ui/appearance/scheme_editor_view.h"
#include "ui/widgets/command_button.h"
#include "ui/widgets/lcd_display.h"
#include "ui/widgets/scheme_style.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

namespace velmora {
namespace {

QColor centre(QWidget* w) {
    const QImage image = w->grab().toImage();
    return image.pixelColor(image.width() / 2, image.height() / 4);
}

bool near(const QColor& a, std::uint32_t bgr) {
    const QColor b = qColor(bgr);
    return std::abs(a.red() - b.red()) <= 6 && std::abs(a.green() - b.green()) <= 6 &&
           std::abs(a.blue() - b.blue()) <= 6;
}

/// A bank panel: a widget class of its own, which a style sheet leaves unpainted unless told.
class Panel : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;
};

/// A window of the kind every lane builds: a button and a text field, following the scheme.
struct SampleWindow {
    QWidget window;
    QPushButton* button = makeCommandButton(&window, "cmdSample", QString(8, QChar(' ')), {});
    QLineEdit* field = new QLineEdit(&window);
    explicit SampleWindow(MainWindowController& main) {
        auto* row = new QHBoxLayout(&window);
        row->addWidget(button);
        row->addWidget(field);
        button->setMinimumSize(80, 40);
        window.resize(240, 60);
        followScheme(&window, main);
        window.show();
    }
};

struct SchemeRig : testing::OwnsTempDir {
    OfflineServices offline{m_temp.path()};
    MainWindowController main{offline.services};
    appearance::SchemeEditor editor{offline.services};
    SchemeRig() {
        editor.setApplyAll([this](const ColorScheme& s) { main.docolors(s); });
        editor.load(main.colorScheme());
    }
};

TEST(SchemeApplier, ApplyReachesOpenWindowsAndWindowsMadeAfterwards) {
    SchemeRig rig;
    SampleWindow before(rig.main);
    EXPECT_TRUE(near(centre(before.button), ColorScheme{}.buttonBack));

    rig.editor.setElement(5, 0x20A040);                                 // button "Back"
    rig.editor.setElement(12, 0x303030);                                // "Text Box Background"
    EXPECT_TRUE(near(centre(before.button), ColorScheme{}.buttonBack)); // not yet applied
    rig.editor.apply();
    EXPECT_TRUE(near(centre(before.button), 0x20A040));
    EXPECT_TRUE(near(centre(before.field), 0x303030));

    SampleWindow after(rig.main);
    EXPECT_TRUE(near(centre(after.button), 0x20A040));
    EXPECT_TRUE(near(centre(after.field), 0x303030));
}

TEST(SchemeApplier, ButtonsShowTheRolloverUnderThePointerAndRolesOverrideTheType) {
    SchemeRig rig;
    ColorScheme s;
    s.buttonBack = 0x404040;
    s.buttonRollover = 0x00C0FF;
    s.activeColor = 0xFF2020;
    rig.main.docolors(s);
    SampleWindow w(rig.main);
    EXPECT_TRUE(near(centre(w.button), 0x404040));
    setSchemeRole(w.button, SchemeRole::Active);
    EXPECT_TRUE(near(centre(w.button), 0xFF2020));
    setSchemeRole(w.button, SchemeRole::Button);
    EXPECT_TRUE(near(centre(w.button), 0x404040));
    QTest::mouseMove(w.button);
    EXPECT_TRUE(near(centre(w.button), 0x00C0FF));
}

TEST(SchemeApplier, PanelsInsideAColouredWindowShowItsBackgroundAndFollowEveryApply) {
    ColorScheme dark;
    dark.backColor = 0x302010;
    dark.buttonBack = 0x505050;
    ColorScheme light;
    light.backColor = 0xE0F0F0;
    light.buttonBack = 0xA0C0C0;
    QWidget window;
    window.resize(300, 200);
    auto* panel = new Panel(&window);
    panel->setGeometry(0, 0, 300, 200);
    auto* button = makeCommandButton(panel, "cmdPanel", QString(8, QChar(' ')), {});
    button->setGeometry(150, 10, 100, 40);
    // The panel colours itself before the window does, then the window, then both again.
    applyScheme(panel, dark);
    applyScheme(&window, dark);
    window.show();
    const auto corner = [&] { return panel->grab().toImage().pixelColor(5, 190); };
    EXPECT_TRUE(near(corner(), dark.backColor)) << corner().name().toStdString();
    applyScheme(&window, light);
    applyScheme(panel, light);
    EXPECT_TRUE(near(corner(), light.backColor)) << corner().name().toStdString();
    EXPECT_TRUE(near(centre(button), light.buttonBack));
}

TEST(SchemeApplier, AMessageBoxOfAColouredWindowHasTheWindowsBackgroundUnderItsText) {
    ColorScheme dark;
    dark.backColor = 0x201810;
    dark.textColor = 0xF0F0F0;
    QWidget window;
    applyScheme(&window, dark);
    QMessageBox box(QMessageBox::Question, QStringLiteral("Color Schemes"),
                    QStringLiteral("Continue?"), QMessageBox::Yes | QMessageBox::No, &window);
    box.show();
    const QImage image = box.grab().toImage();
    EXPECT_TRUE(near(image.pixelColor(2, image.height() / 2), dark.backColor));
}

TEST(SchemeWidgets, SliderHighlightRunsFromStartToEndGradient) {
    SchemeRig rig;
    ColorScheme s;
    s.startGradient = 0x0000FF; // red
    s.endGradient = 0xFF0000;   // blue
    rig.main.docolors(s);
    QWidget window;
    auto* slider = new QSlider(Qt::Horizontal, &window);
    slider->setRange(0, 100);
    slider->setValue(100);
    slider->setGeometry(0, 0, 300, 24);
    followScheme(&window, rig.main);
    window.resize(300, 24);
    window.show();
    const QImage image = slider->grab().toImage();
    const int y = image.height() / 2;
    const QColor left = image.pixelColor(20, y);
    const QColor right = image.pixelColor(image.width() - 30, y);
    EXPECT_GT(left.red(), left.blue() + 100);
    EXPECT_GT(right.blue(), right.red() + 100);
}

TEST(SchemeWidgets, LcdShowsThePresetOrTheCustomColours) {
    ColorScheme s;
    LcdDisplay lcd;
    lcd.setText(QStringLiteral("12:00"));
    lcd.resize(160, 40);
    auto backlightAt = [&] { return lcd.grab().toImage().pixelColor(3, 20); };

    s.lcdBacklight = 1; // "Green Backlight"
    s.lcdBacklightColor = 0x0000C0;
    lcd.setScheme(s);
    QColor c = backlightAt();
    EXPECT_GT(c.green(), c.red());
    EXPECT_GT(c.green(), c.blue());

    s.lcdBacklight = 10; // CUSTOM: the scheme's own red
    lcd.setScheme(s);
    c = backlightAt();
    EXPECT_GT(c.red(), c.green() + 80);
    EXPECT_GT(c.red(), c.blue() + 80);
}

TEST(SchemeEditorWindow, CustomEnablesTheLcdColoursAndAdvancedTogglesItsCaption) {
    SchemeRig rig;
    SchemeEditorView view(rig.editor, rig.offline.settings);
    auto* combo = view.findChild<QComboBox*>("Combo1");
    auto* lcdOn = view.findChild<QPushButton*>("colorElement2");
    auto* advanced = view.findChild<QPushButton*>("cmdAdvanced");
    ASSERT_TRUE(combo && lcdOn && advanced);
    EXPECT_EQ(combo->count(), 11);
    combo->setCurrentIndex(3);
    EXPECT_FALSE(lcdOn->isEnabled());
    combo->setCurrentIndex(10);
    EXPECT_TRUE(lcdOn->isEnabled());
    EXPECT_EQ(rig.editor.scheme().lcdBacklight, 10);

    EXPECT_EQ(advanced->text(), "Advanced >>");
    advanced->click();
    EXPECT_EQ(advanced->text(), "Advanced <<");
    EXPECT_TRUE(view.findChild<QPushButton*>("colorElement14")->isVisibleTo(&view));
    advanced->click();
    EXPECT_EQ(advanced->text(), "Advanced >>");
}

} // namespace
} // namespace velmora

#include "scheme_style_test.moc"
