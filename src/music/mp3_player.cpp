#include "music/mp3_player.h"

#include "audio/file_stream_source.h"
#include "audio/stream_channel.h"
#include "platform/atomic_file.h"
#include "platform/ini_document.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace velmora::music {
namespace {

constexpr const char* kPlaylistFolder = "\\config\\mp3playlists";
// The next track is opened this long before the current one ends: early enough for the
// feeder, which reads under a second ahead, and late enough that edits to the list and the
// random switch made while a track plays still decide what follows it.
constexpr double kQueueAheadSeconds = 3.0;

} // namespace

int playerVolume(int mp3Level, int master) {
    const long long v = static_cast<long long>(mp3Level) * master / 100 - 5000;
    return static_cast<int>(std::clamp<long long>(v, audio::StreamChannel::kMinVolume,
                                                  audio::StreamChannel::kMaxVolume));
}

std::string timeText(double seconds) {
    const long total = seconds > 0 ? static_cast<long>(std::floor(seconds)) : 0;
    char text[32];
    std::snprintf(text, sizeof text, "%02ld:%02ld", total / 60, total % 60);
    return text;
}

Mp3Player::Mp3Player(Services& services) : m_s(services) {
    m_stream = m_s.engine.openStream();
    m_timer = m_s.timers.createTimer(kTimeDisplayMs, [this] { tick(); });
    m_timer->setEnabled(false);
    m_levels = m_s.levels.changed.connect([this](Level level, int) {
        if (level == Level::Mp3 || level == Level::Master) applyVolume();
    });
    applyVolume();
}

Mp3Player::~Mp3Player() {
    if (m_stream) m_s.engine.closeStream(m_stream);
}

void Mp3Player::load() {
    if (m_loaded) return;
    m_loaded = true;
    const PlaylistRead read = readPlaylistFile(m_s.folder.resolve("\\mp3.tmp"));
    m_playlist.add(read.paths);
    ++m_version;
    // A first run has no Myini.ini: that is the default, not an error.
    std::string bytes;
    const FileResult ini = readWholeFile(m_s.folder.resolve("\\Myini.ini"), bytes, 1 << 20);
    if (ini.ok())
        m_defaultLoad = IniDocument::parse(bytes).value("Load Default", "load").value_or("");
    else if (!ini.missing())
        m_s.dialogs.message(kIniError);
    changed();
}

void Mp3Player::close() {
    stop();
    if (!m_loaded) return;
    (void)writePlaylistFile(m_s.folder.resolve("\\mp3.tmp"), m_playlist.entries());
}

std::unique_ptr<audio::StreamSource> Mp3Player::openSource(const std::string& path) const {
    audio::DecodeError error;
    std::string detail;
    return audio::FileStreamSource::open(path, error, detail);
}

void Mp3Player::applyVolume() {
    if (m_stream)
        m_stream->setVolume(playerVolume(m_s.levels.value(Level::Mp3), m_s.levels.master()));
}

int Mp3Player::volume() const {
    return playerVolume(m_s.levels.value(Level::Mp3), m_s.levels.master());
}

void Mp3Player::play() {
    // Play after pause resumes, unless another entry was chosen meanwhile.
    if (paused() && m_stream->currentSource() == m_currentId &&
        m_playlist.selected() == m_currentIndex && m_currentIndex != Playlist::kNone) {
        m_paused = false;
        m_stream->setPaused(false);
        changed();
        return;
    }
    if (m_playlist.selected() == Playlist::kNone) m_playlist.select(0);
    playIndex(m_playlist.selected(), Start::User);
}

void Mp3Player::playEntry(int index) {
    playIndex(index, Start::User);
}

bool Mp3Player::playIndex(int index, Start start) {
    m_playlist.select(index);
    if (m_playlist.selected() == Playlist::kNone || m_playlist.at(index).name.empty()) {
        m_display = kNoTrack;
        changed();
        return false;
    }
    auto source = m_stream ? openSource(m_playlist.at(index).path) : nullptr;
    if (!source) {
        if (start == Start::User) m_failureShown = false;
        ++m_failuresInARow;
        reportFailure();
        return false;
    }
    if (start == Start::User) {
        m_failuresInARow = 0;
        m_failureShown = false;
    }
    m_currentId = m_stream->play(std::move(source));
    m_currentIndex = index;
    m_stream->setPaused(false);
    m_playing = true;
    m_paused = false;
    m_display = m_playlist.at(index).name;
    m_timer->setEnabled(true);
    m_queuedId = -1;
    m_queueDone = false;
    queueWhenDue();
    changed();
    timeChanged(time());
    return true;
}

void Mp3Player::reportFailure() {
    if (m_failureShown) return;
    m_failureShown = true;
    m_s.dialogs.message(kFileNotFound);
}

int Mp3Player::upcoming() {
    const int count = m_playlist.count();
    if (count == 0) return Playlist::kNone;
    if (m_random) {
        m_s.random.seedFromClock(m_s.clock);
        return std::min(count - 1, static_cast<int>(m_s.random.next() * count));
    }
    const int next = m_playlist.selected() + 1;
    return next < count ? next : Playlist::kNone;
}

void Mp3Player::queueWhenDue() {
    if (m_queueDone || !m_playing) return;
    const double length = m_stream->duration();
    if (length >= 0 && length - m_stream->position() > kQueueAheadSeconds) return;
    m_queueDone = true;
    queueUpcoming();
}

void Mp3Player::queueUpcoming() {
    m_queuedId = -1;
    m_queuedIndex = upcoming();
    if (m_queuedIndex == Playlist::kNone) return;
    m_queuedPath = m_playlist.at(m_queuedIndex).path;
    // One that cannot be opened is not queued; the end of this track meets it again.
    if (auto source = openSource(m_queuedPath)) m_queuedId = m_stream->queue(std::move(source));
}

void Mp3Player::pause() {
    if (!m_playing || !m_stream) return;
    m_paused = true;
    m_stream->setPaused(true);
    changed();
}

void Mp3Player::next() {
    int index;
    if (m_random) {
        m_s.random.seedFromClock(m_s.clock);
        index = static_cast<int>(m_s.random.next() * m_playlist.count());
    } else {
        // On the last entry the selection stays there and the last entry plays again.
        index = std::min(m_playlist.selected() + 1, m_playlist.count() - 1);
    }
    playIndex(index, Start::User);
}

void Mp3Player::previous() {
    // Before the first there is nothing: the first plays again.
    playIndex(std::max(m_playlist.selected() - 1, 0), Start::User);
}

void Mp3Player::stop() {
    if (m_stream) m_stream->stop();
    m_playing = false;
    m_paused = false;
    m_currentId = m_queuedId = -1;
    m_timer->setEnabled(false);
    changed();
    timeChanged(timeText(0));
}

void Mp3Player::open() {
    FileDialogOptions o;
    o.filter = kMusicFilter;
    o.initialDirectory = startFolder();
    const auto file = m_s.dialogs.openFile(o);
    if (!file) return;
    stop();
    m_playlist.clear();
    m_playlist.add(*file);
    ++m_version;
    playIndex(0, Start::User);
}

void Mp3Player::toggleRandom() {
    m_random = !m_random;
    changed();
}

void Mp3Player::seek(double seconds) {
    if (m_playing && m_stream) m_stream->seek(seconds);
}

double Mp3Player::position() const {
    return m_playing && m_stream ? m_stream->position() : 0.0;
}

double Mp3Player::duration() const {
    if (!m_playing || !m_stream) return 0.0;
    return std::max(0.0, m_stream->duration());
}

void Mp3Player::tick() {
    if (m_inTick || !m_stream) return; // a message box shown below runs the event loop
    m_inTick = true;
    for (const auto& ended : m_stream->poll())
        if (ended.source == m_currentId) trackEnded(ended.failed);
    m_inTick = false;
    queueWhenDue();
    if (m_playing) timeChanged(time());
}

void Mp3Player::trackEnded(bool failed) {
    if (failed) {
        ++m_failuresInARow;
        reportFailure();
    } else {
        m_failuresInARow = 0;
        m_failureShown = false;
    }
    // A playlist in which nothing plays any more is not tried round and round.
    if (m_failuresInARow >= std::max(1, m_playlist.count())) return finish();
    if (m_queuedId >= 0 && m_stream->currentSource() == m_queuedId) {
        // The queued track took over without a gap; the list may have changed since.
        int index = m_queuedIndex;
        if (index >= m_playlist.count() || m_playlist.at(index).path != m_queuedPath) {
            const auto& e = m_playlist.entries();
            const auto it = std::find_if(
                e.begin(), e.end(), [&](const PlaylistEntry& x) { return x.path == m_queuedPath; });
            index = it == e.end() ? Playlist::kNone : static_cast<int>(it - e.begin());
        }
        m_playlist.select(index);
        m_currentIndex = index;
        m_currentId = m_queuedId;
        m_display = entryName(m_queuedPath);
        m_queuedId = -1;
        m_queueDone = false;
        queueWhenDue();
        changed();
        return;
    }
    // Nothing was queued: the last entry ended, or the next could not be opened.
    for (int tries = 0; tries < m_playlist.count(); ++tries) {
        const int index = upcoming();
        if (index == Playlist::kNone) return finish();
        if (playIndex(index, Start::Automatic)) return;
    }
    finish();
}

void Mp3Player::finish() {
    stop();
    // One entry stays selected so that play plays it again; a longer list starts over.
    if (m_playlist.count() != 1) m_playlist.select(Playlist::kNone);
    changed();
}

void Mp3Player::select(int index) {
    m_playlist.select(index);
    changed();
}

void Mp3Player::addFile() {
    FileDialogOptions o;
    o.filter = kMusicFilter;
    o.initialDirectory = startFolder();
    if (const auto file = m_s.dialogs.openFile(o)) {
        m_playlist.add(*file);
        playlistEdited();
    }
}

void Mp3Player::addFolder(const std::filesystem::path& folder) {
    const auto files = musicFilesIn(folder);
    if (files.empty()) {
        m_s.dialogs.message(kNoFilesInFolder);
        return;
    }
    m_playlist.add(files);
    playlistEdited();
}

void Mp3Player::removeSelected() {
    if (m_playlist.selected() == Playlist::kNone) {
        m_s.dialogs.message(kNoFileSelected);
        return;
    }
    m_playlist.remove(m_playlist.selected());
    playlistEdited();
}

void Mp3Player::removeAll() {
    m_playlist.clear();
    playlistEdited();
}

void Mp3Player::playlistEdited() {
    // The track queued to follow may have moved or gone; its end finds it by path.
    ++m_version;
    changed();
}

void Mp3Player::loadPlaylist() {
    FileDialogOptions o;
    o.title = "Load PlayList";
    o.filter = "Playlist Files|*.plf";
    o.initialDirectory = m_s.folder.resolve(kPlaylistFolder).string();
    const auto file = m_s.dialogs.openFile(o);
    if (!file) return;
    const PlaylistRead read = readPlaylistFile(*file);
    if (!read.result.ok()) {
        m_s.dialogs.message(read.result.error == FileError::TooLarge
                                ? "This file is too large to be a playlist."
                                : "This playlist could not be read.");
        return;
    }
    m_playlist.add(read.paths);
    if (read.skippedLines > 0)
        m_s.dialogs.message(std::to_string(read.skippedLines) +
                            " lines of this playlist are not file paths and were left out.");
    playlistEdited();
}

void Mp3Player::savePlaylist() {
    FileDialogOptions o;
    o.filter = "Playlist Files (*.plf)|*.plf";
    o.initialDirectory = m_s.folder.resolve(kPlaylistFolder).string();
    auto file = m_s.dialogs.saveFile(o);
    if (!file) return;
    std::filesystem::path path = *file;
    if (path.extension().empty()) path += ".plf";
    if (!writePlaylistFile(path, m_playlist.entries()).ok())
        m_s.dialogs.message("The playlist could not be saved.");
}

} // namespace velmora::music
