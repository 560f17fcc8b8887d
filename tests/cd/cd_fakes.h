#pragma once
// An in-memory disc and a stand-in for the engine's CD channel. Every sample of the fake
// disc holds its sector number (low 15 bits), so a read shows exactly where it came from.

#include "cd/cd_output.h"
#include "platform/cd/cd_drive.h"

#include <algorithm>
#include <map>
#include <vector>

namespace velmora::cd::testing {

class FakeDrive final : public CdDrive {
  public:
    explicit FakeDrive(std::vector<std::int64_t> trackSectors) {
        std::int64_t start = 0;
        int n = 1;
        for (const auto s : trackSectors) {
            m_toc.tracks.push_back({n++, start, s, true});
            start += s;
        }
    }
    bool mediaPresent() override { return present; }
    CdToc toc() override { return present ? m_toc : CdToc{}; }
    std::size_t readAudio(std::int64_t first, std::size_t sectors, std::int16_t* out) override {
        const auto n = static_cast<std::size_t>(
            std::clamp<std::int64_t>(m_toc.end() - first, 0, static_cast<std::int64_t>(sectors)));
        for (std::size_t s = 0; s < n; ++s)
            std::fill_n(out + s * kFramesPerSector * 2, kFramesPerSector * 2,
                        static_cast<std::int16_t>((first + static_cast<std::int64_t>(s)) & 0x7fff));
        return present ? n : 0;
    }
    bool eject() override {
        present = false;
        return true;
    }
    bool present = true;

  private:
    CdToc m_toc;
};

/// Drives by name; a name not listed in `discs` cannot be opened.
class FakeDrives final : public CdDrives {
  public:
    std::vector<std::string> list() override { return names; }
    std::unique_ptr<CdDrive> open(const std::string& name, std::string& why) override {
        opened.push_back(name);
        const auto it = discs.find(name);
        if (it == discs.end()) {
            why = "no such drive";
            return nullptr;
        }
        auto drive = std::make_unique<FakeDrive>(it->second);
        last = drive.get();
        return drive;
    }
    std::vector<std::string> names;
    std::map<std::string, std::vector<std::int64_t>> discs;
    std::vector<std::string> opened;
    FakeDrive* last = nullptr;
};

/// Plays nothing; a test pulls the frames the engine would.
class FakeOutput final : public CdOutput {
  public:
    bool available() override { return usable; }
    bool start(std::unique_ptr<audio::StreamSource> s) override {
        source = std::move(s);
        paused = false;
        heard = 0;
        finished = false;
        ++starts;
        return usable;
    }
    void setPaused(bool p) override { paused = p; }
    void stop() override { source.reset(); }
    void setVolume(double g) override { gain = g; }
    double heardSeconds() override { return double(heard) / 44100; }
    bool ended() override { return finished; }

    /// Pulls seconds of audio as a playing channel would; returns the frames it got.
    std::size_t pull(double seconds) {
        if (!source || paused) return 0;
        auto frames = static_cast<std::size_t>(seconds * 44100);
        std::vector<float> buf(4096 * 2);
        std::size_t got = 0;
        while (frames > 0) {
            const std::size_t n = source->read(buf.data(), std::min<std::size_t>(frames, 4096));
            if (n == 0) {
                finished = true;
                break;
            }
            lastSample = buf[(n - 1) * 2];
            got += n;
            heard += n;
            frames -= n;
        }
        return got;
    }

    bool usable = true;
    bool paused = false;
    bool finished = false;
    int starts = 0;
    std::size_t heard = 0;
    double gain = -1;
    float lastSample = 0;
    std::unique_ptr<audio::StreamSource> source;
};

} // namespace velmora::cd::testing
