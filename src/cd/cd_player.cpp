#include "cd/cd_player.h"

#include "core/levels.h"

#include <cctype>
#include <cstdlib>

namespace velmora::cd {

namespace {
std::optional<int> wholeNumber(const McReply& r) {
    if (!r.ok() || r.text.empty() || r.text.size() > 6) return std::nullopt;
    int n = 0;
    for (const char c : r.text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

/// A drive name as one word of a command: image paths may hold blanks.
std::string deviceWord(const std::string& name) {
    return name.find_first_of(" \t") == std::string::npos ? name : "\"" + name + "\"";
}
} // namespace

std::optional<std::string> timeDisplay(const std::string& reply) {
    if (reply.size() < 8 || reply[2] != ':' || reply[5] != ':') return std::nullopt;
    for (const std::size_t i : {0, 1, 3, 4, 6, 7})
        if (!std::isdigit(static_cast<unsigned char>(reply[i]))) return std::nullopt;
    return "[" + reply.substr(0, 2) + "] " + reply.substr(3, 2) + ":" + reply.substr(6, 2);
}

CdPlayer::CdPlayer(Services& services, CdDrives& drives, CdOutput& output)
    : m_s(services), m_finder(drives), m_output(output), m_control(drives, output) {
    m_timer = m_s.timers.createTimer(kDisplayPeriodMs, [this] { tick(); });
    m_levelConnection = m_s.levels.changed.connect([this](Level level, int value) {
        if (level == Level::Cd && m_loaded) applyVolume(value, true);
    });
}

CdPlayer::~CdPlayer() = default;

McReply CdPlayer::send(const std::string& command) {
    McReply r = m_control.send(command);
    m_lastResult = r.error;
    return r;
}

void CdPlayer::listDrives() {
    m_drives = m_finder.list();
    m_searched = true;
    if (m_drives.empty()) m_display = m_remoteDisplay = kNoDriveLabel;
}

void CdPlayer::findDrives() {
    if (m_loaded) return;
    listDrives();
    changed();
}

void CdPlayer::load() {
    if (m_loaded) return;
    m_loaded = true;
    listDrives();
    if (m_drives.empty()) {
        m_s.dialogs.message(kNoDriveMessage, MessageIcon::Information, kNoDriveTitle);
    } else {
        openDrive(m_drives.front());
    }
    m_volumeControl = m_output.available();
    if (!m_volumeControl) m_s.dialogs.message(kMixerMessage);
    applyVolume(volume(), false);
    m_timer->setEnabled(true);
    changed();
}

void CdPlayer::unload() {
    if (!m_loaded) return;
    m_timer->setEnabled(false);
    send("stop cd");
    send("close cd");
    send("close all");
    m_loaded = false;
    m_playing = false;
    m_current.clear();
}

void CdPlayer::openDrive(const std::string& name) {
    send("open  " + deviceWord(name) + " type cdaudio alias cd wait shareable");
    send("set cd Time format tmsf");
    send("pause cd wait");
    m_current = name;
    m_playing = false;
    showText("Current Drive = " + name);
}

void CdPlayer::chooseDrive(const std::string& name) {
    send("stop cd");
    send("close cd");
    openDrive(name);
}

bool CdPlayer::openImage() {
    FileDialogOptions o;
    o.title = "Open a CD image";
    o.filter = "CD images (*.cue)";
    // People keep their images under their own folder, not where the program was started.
    if (const char* home = std::getenv("HOME"); home && *home) o.initialDirectory = home;
    const auto path = m_s.dialogs.openFile(o);
    if (!path || path->empty()) return false;
    chooseDrive(*path);
    return true;
}

void CdPlayer::play() {
    m_playing = send("play cd").ok();
    if (!m_playing)
        showText(kNoCdFound);
    else
        changed();
}

void CdPlayer::pause() {
    send("pause cd wait");
    m_playing = false;
    changed();
}

void CdPlayer::stop() {
    send("stop cd wait");
    send("seek cd to 1 wait");
    m_playing = false;
    showText("CD Stopped");
}

void CdPlayer::eject() {
    send("set cd door open wait");
    m_playing = false;
    showText("CD Ejected");
}

void CdPlayer::previous() {
    moveTo(false);
}

void CdPlayer::next() {
    moveTo(true);
}

void CdPlayer::moveTo(bool forward) {
    const auto current = wholeNumber(send("status cd current track"));
    if (!current) return;
    const auto count = wholeNumber(send("status cd number of tracks wait"));
    if (!count || *count < 1) return;
    const McReply mode = send("status cd mode");
    if (!mode.ok()) return;
    const bool playing = mode.text.compare(0, 7, "playing") == 0;
    int target = 0;
    if (forward)
        target = *current >= *count ? 1 : *current + 1;
    else
        target = *current <= 1 ? *count : *current - 1;
    send((playing ? "play cd from " : "seek cd to ") + std::to_string(target));
}

void CdPlayer::tick() {
    if (send("status cd media present").text.compare(0, 4, "true") != 0) return;
    // The disc may have played to its end since the last look: offer play again.
    if (m_playing && send("status cd mode").text != "playing") m_playing = false;
    const auto time = timeDisplay(send("status cd position").text);
    if (!time) return;
    m_display = *time;
    m_remoteDisplay = "CD Time:" + *time;
    changed();
}

void CdPlayer::showText(const std::string& text) {
    m_display = m_remoteDisplay = text;
    changed();
}

int CdPlayer::volume() const {
    return m_s.levels.value(Level::Cd);
}

void CdPlayer::setVolume(int percent) {
    if (percent == volume())
        applyVolume(percent, true);
    else
        m_s.levels.set(Level::Cd, percent); // the level's listener applies it
}

void CdPlayer::applyVolume(int percent, bool announce) {
    if (m_volumeControl) m_output.setVolume(percent / 100.0);
    if (announce) showText("CD Volume: " + std::to_string(percent) + " %");
}

} // namespace velmora::cd
