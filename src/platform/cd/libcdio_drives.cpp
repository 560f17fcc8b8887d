#include "platform/cd/libcdio_drives.h"

#include "platform/ascii_case.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>

#include <algorithm>
#include <cstring>
#include <mutex>

namespace velmora::cd {

namespace {
// A scratch the drive cannot read past after this many tries is skipped, not waited on
// for minutes.
constexpr int kMaxRetries = 20;

class LibcdioDrive final : public CdDrive {
  public:
    LibcdioDrive(CdIo_t* cdio, bool image) : m_cdio(cdio), m_image(image) { readToc(); }
    ~LibcdioDrive() override { closeAll(); }

    bool mediaPresent() override {
        // The feeder holding the drive means a disc is being read: it is there.
        std::unique_lock lock(m_io, std::try_to_lock);
        if (lock && !m_image && m_cdio && cdio_get_media_changed(m_cdio) == 1) reopen();
        return !toc().tracks.empty();
    }

    CdToc toc() override {
        std::lock_guard lock(m_tocMutex);
        return m_toc;
    }

    std::size_t readAudio(std::int64_t first, std::size_t sectors, std::int16_t* stereo) override {
        std::lock_guard lock(m_io);
        // The reader spins on sectors that are not on the disc; keep it to the tracks.
        const std::int64_t end = toc().end();
        if (first < 0 || first >= end) return 0;
        sectors = std::min<std::size_t>(sectors, static_cast<std::size_t>(end - first));
        if (!m_cdio || !startParanoia()) return 0;
        if (first != m_nextSector)
            cdio_paranoia_seek(m_paranoia, static_cast<int32_t>(first), SEEK_SET);
        std::size_t done = 0;
        for (; done < sectors; ++done) {
            const int16_t* read = cdio_paranoia_read_limited(m_paranoia, nullptr, kMaxRetries);
            if (!read) break;
            std::memcpy(stereo + done * kFramesPerSector * 2, read, CDIO_CD_FRAMESIZE_RAW);
        }
        m_nextSector = first + static_cast<std::int64_t>(done);
        return done;
    }

    bool eject() override {
        std::lock_guard lock(m_io);
        if (m_image || !m_cdio) return false;
        closeParanoia();
        // Ejecting releases the handle whether or not the tray opened.
        const std::string name = sourceName();
        const bool ok = cdio_eject_media(&m_cdio) == DRIVER_OP_SUCCESS;
        if (m_cdio) cdio_destroy(m_cdio);
        m_cdio = cdio_open(name.c_str(), DRIVER_DEVICE);
        readToc();
        return ok;
    }

  private:
    std::string sourceName() const {
        const char* source = m_cdio ? cdio_get_arg(m_cdio, "source") : nullptr;
        return source ? source : "";
    }

    /// Needs m_io held (or the drive not yet shared).
    void readToc() {
        CdToc toc;
        if (m_cdio) toc = tocOf(m_cdio);
        std::lock_guard lock(m_tocMutex);
        m_toc = std::move(toc);
    }

    static CdToc tocOf(CdIo_t* cdio) {
        CdToc toc;
        const track_t first = cdio_get_first_track_num(cdio);
        const track_t count = cdio_get_num_tracks(cdio);
        if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0) return toc;
        for (track_t t = first; t < first + count; ++t) {
            const lsn_t start = cdio_get_track_lsn(cdio, t);
            const lsn_t last = cdio_get_track_last_lsn(cdio, t);
            // A sheet whose tracks overlap or run backwards is no disc we can play.
            if (start == CDIO_INVALID_LSN || last == CDIO_INVALID_LSN || start < 0 ||
                last < start || (!toc.tracks.empty() && start < toc.end()))
                return {};
            toc.tracks.push_back({t, start, static_cast<std::int64_t>(last) - start + 1,
                                  cdio_get_track_format(cdio, t) == TRACK_FORMAT_AUDIO});
        }
        return toc;
    }

    void reopen() {
        const std::string name = sourceName();
        closeAll();
        m_cdio = cdio_open(name.c_str(), DRIVER_DEVICE);
        readToc();
    }

    bool startParanoia() {
        if (m_paranoia) return true;
        m_cdda = cdio_cddap_identify_cdio(m_cdio, CDDA_MESSAGE_FORGETIT, nullptr);
        if (!m_cdda) return false;
        // An image's audio is stored little-endian; guessing from the samples is for drives.
        if (m_image) m_cdda->bigendianp = 0;
        if (cdio_cddap_open(m_cdda) != 0) {
            closeParanoia();
            return false;
        }
        m_paranoia = cdio_paranoia_init(m_cdda);
        if (!m_paranoia) {
            closeParanoia();
            return false;
        }
        cdio_paranoia_modeset(m_paranoia, PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);
        m_nextSector = -1;
        return true;
    }

    void closeParanoia() {
        if (m_paranoia) cdio_paranoia_free(m_paranoia);
        if (m_cdda) cdio_cddap_close_no_free_cdio(m_cdda);
        m_paranoia = nullptr;
        m_cdda = nullptr;
    }

    void closeAll() {
        closeParanoia();
        if (m_cdio) cdio_destroy(m_cdio);
        m_cdio = nullptr;
    }

    std::mutex m_io;       ///< the handle and the paranoia reader: held while reading
    std::mutex m_tocMutex; ///< m_toc only, so the UI thread never waits on a slow read
    CdIo_t* m_cdio;
    const bool m_image;
    CdToc m_toc;
    cdrom_drive_t* m_cdda = nullptr;
    cdrom_paranoia_t* m_paranoia = nullptr;
    std::int64_t m_nextSector = -1;
};

void quietLibcdio() {
    // libcdio prints its complaints about a drive or a cue sheet to the terminal; the
    // player reports what matters in its own words.
    static std::once_flag once;
    std::call_once(once, [] { cdio_loglevel_default = CDIO_LOG_ASSERT; });
}
} // namespace

std::vector<std::string> LibcdioDrives::list() {
    quietLibcdio();
    std::vector<std::string> names;
    char** devices = cdio_get_devices(DRIVER_DEVICE);
    for (char** d = devices; d && *d; ++d)
        names.emplace_back(*d);
    if (devices) cdio_free_device_list(devices);
    return names;
}

std::unique_ptr<CdDrive> LibcdioDrives::open(const std::string& name, std::string& why) {
    quietLibcdio();
    const bool image = endsWithIgnoringCase(name, ".cue");
    CdIo_t* cdio = cdio_open(name.c_str(), image ? DRIVER_BINCUE : DRIVER_DEVICE);
    if (!cdio) {
        why =
            image ? "the cue sheet or its data file cannot be read" : "the drive cannot be opened";
        return nullptr;
    }
    return std::make_unique<LibcdioDrive>(cdio, image);
}

} // namespace velmora::cd
