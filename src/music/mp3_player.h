#pragma once
// The MP3 player (frmmainmp3 with its playlist frmList and add-folder dialog Formmp3adddir):
// transport, playlist commands, the volume formula and the time display. Music plays on
// one of the engine's stream channels; the track after the current one is opened and
// queued a few seconds before the current one ends, so tracks follow without a gap.
//
// Thread: UI thread (its timer included).

#include "core/services.h"
#include "core/signal.h"
#include "music/playlist.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace velmora::audio {
class StreamChannel;
class StreamSource;
} // namespace velmora::audio

namespace velmora::music {

/// Texts the player shows.
inline constexpr const char* kNoMp3Selected = "No MP3 Selected";
inline constexpr const char* kNoTrack = "No Track";
inline constexpr const char* kFileNotFound = "This File Could Not Be Found.";
inline constexpr const char* kNoFileSelected = "No File Was Selected";
inline constexpr const char* kNoFilesInFolder =
    "There were no files found in the specified folder.";
inline constexpr const char* kIniError = "An error has occurred while calling the API function";
/// Open-dialog filter: MP3 first, then everything the decoder plays.
inline constexpr const char* kMusicFilter =
    "MP3 Files|*.mp3|Music Files|*.mp3;*.ogg;*.oga;*.flac;*.opus;*.m4a;*.wav";
/// The time display's period: it shows whole seconds.
inline constexpr int kTimeDisplayMs = 250;

/// Player volume in hundredths of a dB for the MP3 level (0..5000) and the master level:
/// level x master / 100 - 5000, limited to [-10000, 0].
[[nodiscard]] int playerVolume(int mp3Level, int master);
/// "mm:ss" for a position in seconds (minutes keep counting past 59).
[[nodiscard]] std::string timeText(double seconds);
/// The music files of a folder (by extension, without regard to case), sorted by name.
[[nodiscard]] std::vector<std::string> musicFilesIn(const std::filesystem::path& folder);

class Mp3Player {
  public:
    explicit Mp3Player(Services& services);
    ~Mp3Player();
    Mp3Player(const Mp3Player&) = delete;
    Mp3Player& operator=(const Mp3Player&) = delete;

    /// Reads mp3.tmp and Myini.ini (once).
    void load();
    /// Writes mp3.tmp and silences the player (quit).
    void close();

    // --- transport (frmmainmp3) ---
    /// Plays the selected entry (the first when none is); resumes a paused one.
    void play();
    void pause();
    void next();
    void previous();
    /// Stops and shows nothing playing (remote, desktop media controls).
    void stop();
    /// Empties the playlist, asks for one file and plays it.
    void open();
    void toggleRandom();
    [[nodiscard]] bool randomOn() const { return m_random; }
    /// Position slider moved: seconds into the current track.
    void seek(double seconds);
    /// Plays entry index (double click in the playlist).
    void playEntry(int index);

    [[nodiscard]] bool playing() const { return m_playing && !m_paused; }
    [[nodiscard]] bool paused() const { return m_playing && m_paused; }
    [[nodiscard]] double position() const;
    /// Seconds; 0 when nothing plays or the length is unknown.
    [[nodiscard]] double duration() const;
    /// The title display: the playing entry's name, "No Track", "No MP3 Selected".
    [[nodiscard]] const std::string& display() const { return m_display; }
    [[nodiscard]] std::string time() const { return timeText(position()); }
    /// Hundredths of a dB now applied.
    [[nodiscard]] int volume() const;

    // --- playlist (frmList, Formmp3adddir) ---
    [[nodiscard]] const Playlist& playlist() const { return m_playlist; }
    /// Counts changes to the entries (not to the selection).
    [[nodiscard]] int playlistVersion() const { return m_version; }
    /// Selects an entry without playing it (a click in the list).
    void select(int index);
    void addFile();
    /// Adds every music file of folder; a folder without any says so.
    void addFolder(const std::filesystem::path& folder);
    void removeSelected();
    void removeAll();
    void loadPlaylist();
    void savePlaylist();
    /// Where file and folder dialogs start: the user's music folder, else home.
    [[nodiscard]] std::string startFolder() const;

    /// Anything shown changed: display, selection, playlist, random, play state.
    Signal<> changed;
    /// The time display's text, on every tick of its timer while music plays.
    Signal<std::string> timeChanged;

  private:
    enum class Start { User, Automatic };
    bool playIndex(int index, Start start);
    std::unique_ptr<audio::StreamSource> openSource(const std::string& path) const;
    [[nodiscard]] int upcoming();
    void queueUpcoming();
    void queueWhenDue();
    void tick();
    void trackEnded(bool failed);
    void finish();
    void applyVolume();
    void reportFailure();
    void playlistEdited();

    Services& m_s;
    audio::StreamChannel* m_stream = nullptr;
    Playlist m_playlist;
    std::string m_display = kNoMp3Selected;
    std::string m_defaultLoad; // Myini.ini [Load Default] load, kept for the window
    bool m_random = false;
    bool m_playing = false;
    bool m_paused = false;
    bool m_loaded = false;
    bool m_inTick = false;
    bool m_queueDone = false;    // the track after the current one was chosen
    bool m_failureShown = false; // one message per run of tracks that fail
    int m_failuresInARow = 0;
    int m_version = 0;
    int m_currentId = -1;
    int m_currentIndex = Playlist::kNone; // the entry m_currentId plays
    int m_queuedId = -1;
    int m_queuedIndex = Playlist::kNone;
    std::string m_queuedPath;
    std::unique_ptr<Timer> m_timer;
    Connection m_levels;
};

} // namespace velmora::music
