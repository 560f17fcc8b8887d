// The effects window's view: its controls reach the controller, the controller's changes
// reach the controls, and both pages fit a small laptop screen.
#include "core/offline_services.h"
#include "support/temp_dir.h"
#include "ui/effects/effects_view.h"

#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>

#include <gtest/gtest.h>

namespace velmora {
namespace {

using effects::EffectsPage;

struct ViewRig : testing::OwnsTempDir {
    ViewRig() {
        testing::writeBytes(m_temp.path() / "config/fx/EQ Presets/Warm.eqf",
                            "20,19,17,15,15,14,13,12,12,12\r\n");
        fx.load();
    }
    OfflineServices off{m_temp.path()};
    effects::EffectsController fx{off.services};
    EffectsView view{fx, off.settings};
    template <class T> T* find(const char* name) { return view.findChild<T*>(name); }
};

TEST(EffectsView, ControlsDriveTheControllerAndFollowIt) {
    ViewRig r;
    auto* band3 = r.find<QSlider>("sldband3");
    auto* list = r.find<QComboBox>("cboeqpresets");
    ASSERT_TRUE(band3 && list);
    EXPECT_FALSE(band3->isEnabled()); // the equaliser starts off

    r.find<QPushButton>("cmdeqonoff")->click();
    EXPECT_TRUE(r.fx.isOn(EffectsPage::Equaliser));
    EXPECT_TRUE(band3->isEnabled());
    band3->setValue(25);
    EXPECT_EQ(r.fx.bands()[3], 25);
    EXPECT_EQ(list->currentText(), "Custom");

    r.find<QPushButton>("cmdeqnext")->click();
    EXPECT_EQ(list->currentText(), "Warm");
    EXPECT_EQ(band3->value(), 15);
    EXPECT_EQ(r.find<QSlider>("sldband0")->value(), 20);

    r.fx.setReverbSlider(effects::kDecayTime, 500);
    EXPECT_EQ(r.find<QSlider>("sldreverb6")->value(), 500);
    r.find<QPushButton>("cmdreverb")->click();
    EXPECT_EQ(r.view.findChild<QStackedWidget*>()->currentIndex(), 1);
}

TEST(EffectsView, BothPagesFitA1366By768Screen) {
    ViewRig r;
    for (auto page : {EffectsPage::Equaliser, EffectsPage::Reverb}) {
        r.fx.showPage(page);
        r.view.adjustSize();
        const QSize size = r.view.sizeHint();
        EXPECT_LE(size.width(), 1366);
        EXPECT_LE(size.height(), 700); // below a panel and the title bar
    }
}

} // namespace
} // namespace velmora
