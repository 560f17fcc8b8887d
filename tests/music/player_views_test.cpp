// The player's windows (offscreen): a double click in the list plays that entry and the
// transport shows it; the position slider follows the track; "PL" reaches the playlist.
#include "audio/audio_test_support.h"
#include "core/offline_services.h"
#include "ui/music/mp3_player_view.h"
#include "ui/music/playlist_view.h"
#include "ui/widgets/lcd_display.h"

#include <QListView>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(PlayerViews, DoubleClickPlaysAndTheTransportFollows) {
    audio::test::TempFolder media;
    OfflineServices off{media.path("")};
    music::Mp3Player player(off.services);
    for (const char* name : {"a.wav", "b.wav", "c.wav"}) {
        ASSERT_TRUE(audio::test::writeTone(media.path(name), audio::test::FileKind::Wav,
                                           audio::kSampleRate, 2, 440, 30));
        off.dialogs.files.push_back(media.path(name));
        player.addFile();
    }
    int toggled = 0;
    Mp3PlayerView transport(player, off.levels, [&] { ++toggled; });
    PlaylistView playlist(player, [] {});
    playlist.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&playlist));
    EXPECT_EQ(transport.findChild<LcdDisplay*>("lcdtitle")->text(), "No MP3 Selected");

    auto* list = playlist.findChild<QListView*>("List1");
    ASSERT_EQ(list->model()->rowCount(), 3);
    const QRect row = list->visualRect(list->model()->index(1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_TRUE(player.playing());
    EXPECT_EQ(player.playlist().selected(), 1);
    EXPECT_EQ(transport.findChild<LcdDisplay*>("lcdtitle")->text(), "b.wav");
    EXPECT_EQ(list->currentIndex().row(), 1);

    auto* position = transport.findChild<QSlider*>("hscroll3");
    EXPECT_EQ(position->maximum(), 30);
    for (int i = 0; i < 12; ++i) {
        std::vector<float> block(2 * audio::kSampleRate / 4);
        off.engine.render(block.data(), audio::kSampleRate / 4);
        off.timers.advance(music::kTimeDisplayMs);
    }
    EXPECT_EQ(position->value(), 3);
    EXPECT_EQ(transport.findChild<LcdDisplay*>("lcdtime")->text(), "00:03");

    transport.findChild<QPushButton*>("cmdpl")->click();
    EXPECT_EQ(toggled, 1);
    playlist.findChild<QPushButton*>("cmdminus")->click();
    playlist.findChild<QPushButton*>("cmdall")->click();
    EXPECT_EQ(list->model()->rowCount(), 0);
}

} // namespace
} // namespace velmora
