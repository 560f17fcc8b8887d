#include "core/main_window/main_window_controller.h"
#include "core/offline_services.h"
#include "support/temp_dir.h"
#include "ui/visual/panorama_view.h"
#include "ui/visual/picture_decoder.h"
#include "ui/visual/slideshow_folder_view.h"
#include "ui/visual/slideshow_view.h"

#include <QCheckBox>
#include <QImage>
#include <QListWidget>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

using namespace velmora;

namespace {
void writePicture(const std::filesystem::path& p, int w, int h) {
    std::filesystem::create_directories(p.parent_path());
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(30, 90, 160));
    ASSERT_TRUE(image.save(QString::fromStdString(p.string())));
}
void writeBroken(const std::filesystem::path& p) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << "\xff\xd8\xff\xe0 not really a picture";
}

struct NoKeys final : KeyHandler {
    void handleKey(const std::string&) override {}
};

struct World {
    velmora::testing::TempDir dir;
    std::unique_ptr<OfflineServices> offline;
    std::unique_ptr<MainWindowController> main;
    std::unique_ptr<visual::VisualMode> visual;
    NoKeys keys;

    World() {
        writeBroken(dir / "visual/slideshow/default/a broken.jpg");
        writePicture(dir / "visual/slideshow/default/b sky.png", 320, 200);
        writeBroken(dir / "visual/slideshow/default/c broken.bmp");
        offline = std::make_unique<OfflineServices>(dir.path());
        main = std::make_unique<MainWindowController>(offline->services);
        visual = std::make_unique<visual::VisualMode>(offline->services, main->commands(), [] {});
    }
};
} // namespace

TEST(PictureDecoding, ScalesWhileReadingAndRefusesWhatItCannotRead) {
    velmora::testing::TempDir dir;
    writePicture(dir / "wide.jpg", 4000, 1000);
    const QString wide = QString::fromStdString((dir / "wide.jpg").string());
    EXPECT_EQ(decodePicture(wide, QSize(800, 600), PictureFit::Cover).size(), QSize(2400, 600));
    EXPECT_EQ(decodePicture(wide, QSize(800, 600), PictureFit::Contain).size(), QSize(800, 200));
    EXPECT_EQ(decodePicture(wide, QSize(800, 600), PictureFit::Natural).size(), QSize(4000, 1000));
    writeBroken(dir / "broken.jpg");
    EXPECT_TRUE(decodePicture(QString::fromStdString((dir / "broken.jpg").string()), {},
                              PictureFit::Natural)
                    .isNull());
}

TEST(SlideshowView, NeverShowsAPictureThatCannotBeDecoded) {
    World w;
    SlideshowView view(*w.visual, w.keys, w.offline->settings, nullptr);
    QSignalSpy shown(&view, &SlideshowView::pictureShown);
    w.visual->slideshow();
    ASSERT_TRUE(shown.wait(5000));
    EXPECT_TRUE(view.shownPath().endsWith("b sky.png"));
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(view.cursor().shape(), Qt::BlankCursor);
    // Every later change lands on the one readable picture, however many broken ones lie
    // between.
    for (int i = 0; i < 3; ++i) {
        w.visual->slideshowView().next();
        QTest::qWait(300);
        EXPECT_TRUE(view.shownPath().endsWith("b sky.png"));
    }
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_FALSE(view.isVisible());
    EXPECT_TRUE(w.main->commands().isMainVisible());
}

TEST(SlideshowFolderView, ConfigurationTakesOnlyAFolderWithPictures) {
    World w;
    SlideshowFolderView config(SlideshowFolderView::Kind::Configuration, *w.visual,
                               w.offline->settings);
    config.open();
    const auto empty = w.dir / "visual/slideshow/empty";
    std::filesystem::create_directories(empty);
    config.lookAt(empty);
    config.accept();
    EXPECT_EQ(w.offline->dialogs.lastMessage(), visual::kNoImages);
    EXPECT_TRUE(config.isVisible());
    EXPECT_EQ(w.visual->sources().folder(), w.visual->sources().defaultFolder());

    writePicture(w.dir / "visual/slideshow/autumn/leaf.jpg", 64, 48);
    config.lookAt(w.dir / "visual/slideshow/autumn");
    EXPECT_EQ(config.pictureList()->count(), 1);
    config.findChild<QCheckBox*>("Check1")->setChecked(true);
    config.findChild<QSpinBox*>("UpDown1")->setValue(4);
    config.accept();
    EXPECT_FALSE(config.isVisible());
    EXPECT_EQ(w.visual->sources().folder(), w.dir / "visual/slideshow/autumn");
    EXPECT_TRUE(w.visual->sources().randomOrder());
    EXPECT_EQ(w.visual->sources().changeEvery(), "4");
}

TEST(PanoramaView, TheStripShowsOnlyWhileThePointerIsNear) {
    World w;
    writePicture(w.dir / "visual/panoramics/default.jpg", 2400, 400);
    PanoramaView view(*w.visual, w.keys, nullptr);
    QSignalSpy loaded(&view, &PanoramaView::pictureLoaded);
    w.visual->panoramic();
    ASSERT_TRUE(loaded.wait(5000));
    EXPECT_TRUE(view.hasPicture());
    const QRect strip(view.strip()->mapToGlobal(QPoint(0, 0)), view.strip()->size());
    view.checkPointer(strip.center());
    EXPECT_TRUE(view.strip()->isVisible());
    view.checkPointer(strip.topLeft() - QPoint(0, kStripMarginPx - 10));
    EXPECT_TRUE(view.strip()->isVisible());
    view.checkPointer(strip.topLeft() - QPoint(0, kStripMarginPx + 10));
    EXPECT_FALSE(view.strip()->isVisible());
    w.visual->exitVisualMode();
    EXPECT_FALSE(view.isVisible());
}
