#pragma once
// A CD drive as the player needs it: is a disc in, what tracks it holds, the audio of a run
// of sectors, and the door. The libcdio back end implements it for real drives and for
// .cue/.bin images; tests implement it in memory.
//
// Thread: a drive is opened and queried on the UI thread; readAudio() is called on the
// stream's feeder thread while it plays, so implementations must allow that one reader
// beside the UI thread's queries.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace velmora::cd {

/// 75 sectors a second; each sector holds 588 stereo frames of 16-bit audio at 44 100 Hz.
inline constexpr int kSectorsPerSecond = 75;
inline constexpr int kFramesPerSector = 588;

struct CdTrack {
    int number = 0;
    /// First sector on the disc (logical sector number, 0 at the first track's start).
    std::int64_t start = 0;
    std::int64_t sectors = 0;
    bool audio = true;
};

struct CdToc {
    std::vector<CdTrack> tracks; ///< in disc order, numbered from 1 upward
    [[nodiscard]] std::int64_t end() const {
        return tracks.empty() ? 0 : tracks.back().start + tracks.back().sectors;
    }
};

class CdDrive {
  public:
    virtual ~CdDrive() = default;
    /// Whether a readable disc is in the drive (an image is always present once opened).
    [[nodiscard]] virtual bool mediaPresent() = 0;
    /// The disc's tracks; empty when there is no disc or it cannot be read.
    [[nodiscard]] virtual CdToc toc() = 0;
    /// Reads `sectors` sectors from `first` into stereo (interleaved 16-bit, kFramesPerSector
    /// frames a sector); returns how many sectors it read, fewer at the end or on a fault
    /// it could not correct.
    virtual std::size_t readAudio(std::int64_t first, std::size_t sectors,
                                  std::int16_t* stereo) = 0;
    /// Opens the tray; false when the drive cannot (an image has no door).
    virtual bool eject() = 0;
};

/// The drives of this computer and the opening of one by name.
class CdDrives {
  public:
    virtual ~CdDrives() = default;
    /// The device names of the CD drives found, in the order the system lists them.
    [[nodiscard]] virtual std::vector<std::string> list() = 0;
    /// Opens a drive or a .cue image by name; nullptr with why set when it cannot.
    [[nodiscard]] virtual std::unique_ptr<CdDrive> open(const std::string& name,
                                                        std::string& why) = 0;
};

} // namespace velmora::cd
