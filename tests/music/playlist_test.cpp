// Playlist files and the playlist window's commands: one path per line whatever the path
// holds, bad lines left out with a word, and a first run that finds nothing is no error.
#include "audio/audio_test_support.h"
#include "core/offline_services.h"
#include "music/mp3_player.h"

#include <gtest/gtest.h>

#include <fstream>

namespace velmora::music {
namespace {

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(PlaylistFileTest, OnePathPerLineWithCommasSpacesAndOldEncodings) {
    audio::test::TempFolder folder;
    const std::string file = folder.path("list.plf");
    writeBytes(file, "/music/Artist, The/01 a, b.mp3\r\n\r\n/music/caf\xe9.mp3\n"
                     "bin\x01\x02garbage\n" +
                         std::string(5000, 'x') + "\n/last.mp3");
    const PlaylistRead read = readPlaylistFile(file);
    ASSERT_TRUE(read.result.ok());
    ASSERT_EQ(read.paths.size(), 3u);
    EXPECT_EQ(read.paths[0], "/music/Artist, The/01 a, b.mp3");
    EXPECT_EQ(read.paths[1], "/music/caf\xc3\xa9.mp3"); // Windows-1252 read as UTF-8
    EXPECT_EQ(read.paths[2], "/last.mp3");
    EXPECT_EQ(read.skippedLines, 2u);
    EXPECT_EQ(entryName(read.paths[0]), "01 a, b.mp3");
    EXPECT_EQ(entryName("C:\\old\\song.mp3"), "song.mp3");

    EXPECT_TRUE(readPlaylistFile(folder.path("none.plf")).result.missing());
    EXPECT_FALSE(readPlaylistFile(folder.path("")).result.ok()); // a folder
}

class PlaylistWindowTest : public ::testing::Test {
  protected:
    audio::test::TempFolder program;
    OfflineServices off{program.path("")};
};

TEST_F(PlaylistWindowTest, Mp3TmpRoundTripsAndAFirstRunIsQuiet) {
    {
        Mp3Player player(off.services);
        player.load(); // neither mp3.tmp nor Myini.ini exists yet
        EXPECT_TRUE(off.dialogs.messages.empty());
        EXPECT_EQ(player.display(), kNoMp3Selected);
        for (const char* p : {"/m/a, b.mp3", "/m/c d.ogg"}) {
            off.dialogs.files.push_back(p);
            player.addFile();
        }
        player.close();
    }
    Mp3Player again(off.services);
    again.load();
    ASSERT_EQ(again.playlist().count(), 2);
    EXPECT_EQ(again.playlist().at(0).path, "/m/a, b.mp3");
    EXPECT_EQ(again.playlist().at(1).name, "c d.ogg");
}

TEST_F(PlaylistWindowTest, RemoveAddFolderAndPlaylistFiles) {
    Mp3Player player(off.services);
    player.load();
    player.removeSelected();
    EXPECT_EQ(off.dialogs.lastMessage(), kNoFileSelected);

    audio::test::TempFolder music;
    player.addFolder(music.path(""));
    EXPECT_EQ(off.dialogs.lastMessage(), kNoFilesInFolder);
    for (const char* name : {"b.MP3", "a.flac", "notes.txt"})
        writeBytes(music.path(name), "x");
    player.addFolder(music.path(""));
    ASSERT_EQ(player.playlist().count(), 2);
    EXPECT_EQ(player.playlist().at(0).name, "a.flac");
    EXPECT_EQ(player.playlist().at(1).name, "b.MP3");
    player.select(0);
    player.removeSelected();
    EXPECT_EQ(player.playlist().count(), 1);
    EXPECT_EQ(player.playlist().selected(), Playlist::kNone);

    // A big playlist saved and loaded back (loading appends).
    std::string big;
    for (int i = 0; i < 100000; ++i)
        big +=
            "/music/album " + std::to_string(i / 12) + "/track " + std::to_string(i) + ".mp3\r\n";
    writeBytes(music.path("big.plf"), big);
    off.dialogs.files.push_back(music.path("big.plf"));
    player.loadPlaylist();
    EXPECT_EQ(player.playlist().count(), 100001);
    off.dialogs.files.push_back(music.path("saved"));
    player.savePlaylist();
    EXPECT_EQ(readPlaylistFile(music.path("saved.plf")).paths.size(), 100001u);

    writeBytes(music.path("junk.plf"), std::string("\x7f"
                                                   "ELF\x02\x01\x01\0\0\0",
                                                   10));
    off.dialogs.files.push_back(music.path("junk.plf"));
    player.loadPlaylist();
    EXPECT_EQ(player.playlist().count(), 100001);
    EXPECT_EQ(off.dialogs.lastMessage(),
              "1 lines of this playlist are not file paths and were left out.");
}

} // namespace
} // namespace velmora::music
