#pragma once
// The media-control command language the CD window speaks: text commands such as
// "open  /dev/sr0 type cdaudio alias cd wait shareable", "set cd time format tmsf",
// "play cd from 3" or "status cd position", each answered with an error code and a short
// text reply ("playing", "true", "02:01:15:40"). Keeping the window's side in text makes the
// window exactly what it says it is, and lets the drive side be tested on its own.
//
// Words are matched without regard to case and any run of blanks separates them; a device
// name with blanks in it (an image in "My CDs") is given in double quotes. "wait", "notify"
// and "shareable" are accepted and change nothing: every command finishes before it returns.
//
// Thread: UI thread.

#include "cd/cd_output.h"
#include "cd/cd_track_source.h"
#include "platform/cd/cd_drive.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace velmora::cd {

enum class McError {
    None = 0,
    UnrecognizedCommand, ///< unknown verb or a word it does not take
    MissingParameter,
    BadParameter,  ///< a number or position that cannot be, or a track not on the disc
    UnknownDevice, ///< no device open under that alias
    AliasInUse,
    UnsupportedType, ///< a "type" other than cdaudio
    CannotOpen,      ///< the drive or image could not be opened
    NotReady,        ///< no disc in the drive, or the door is open
    CannotEject,
    OutputUnavailable, ///< the sound engine has no channel for the CD
};

struct McReply {
    McError error = McError::None;
    std::string text;
    [[nodiscard]] bool ok() const { return error == McError::None; }
};

/// A sentence for a failed command, for logs and tests.
[[nodiscard]] const char* errorText(McError error);

class MediaControl {
  public:
    /// drives opens the devices named in "open"; output plays them. Both outlive this.
    MediaControl(CdDrives& drives, CdOutput& output);
    ~MediaControl();
    MediaControl(const MediaControl&) = delete;
    MediaControl& operator=(const MediaControl&) = delete;

    /// Runs one command and answers it.
    McReply send(const std::string& command);

  private:
    enum class Format { Tmsf, Msf, Milliseconds };
    enum class Mode { Stopped, Playing, Paused, Open };
    struct Device {
        std::string name;
        std::shared_ptr<CdDrive> drive;
        Format format = Format::Msf;
        Mode mode = Mode::Stopped;
        std::int64_t position = 0;  ///< sector, while not playing
        std::int64_t playStart = 0; ///< sector where what plays began
        std::int64_t playEnd = 0;
    };
    using Words = std::vector<std::string>;

    McReply open(const Words& w);
    McReply close(const Words& w);
    McReply set(Device& d, const Words& w);
    McReply play(Device& d, const Words& w);
    McReply seek(Device& d, const Words& w);
    McReply status(Device& d, const Words& w);
    McReply pause(Device& d);
    McReply stop(Device& d);

    /// Brings a playing device up to date: the sector reached, stopped once past its end.
    void settle(Device& d);
    [[nodiscard]] std::int64_t positionOf(Device& d);
    /// A position word in the device's time format as a sector; -1 when it is not one.
    [[nodiscard]] std::int64_t parsePosition(Device& d, const std::string& word);
    [[nodiscard]] std::string formatPosition(Device& d, std::int64_t sector);
    /// Stops output when the device is the one playing through it.
    void release(Device& d);

    CdDrives& m_drives;
    CdOutput& m_output;
    std::map<std::string, Device> m_devices;
    const Device* m_playing = nullptr; ///< the device whose audio the output carries
};

} // namespace velmora::cd
