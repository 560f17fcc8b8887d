#pragma once
// The CD's stream channel in our sound engine. The channel is taken on first need (the
// engine starts after the player is made) and given back when this goes; the engine must
// outlive it.
//
// Thread: UI thread.

#include "cd/cd_output.h"

namespace velmora::audio {
class SoundEngine;
class StreamChannel;
} // namespace velmora::audio

namespace velmora::cd {

/// The CD volume in hundredths of a decibel for a fraction of full amplitude.
[[nodiscard]] int cdVolumeHundredthsDb(double gain);

class EngineCdOutput final : public CdOutput {
  public:
    explicit EngineCdOutput(audio::SoundEngine& engine) : m_engine(engine) {}
    ~EngineCdOutput() override;
    EngineCdOutput(const EngineCdOutput&) = delete;
    EngineCdOutput& operator=(const EngineCdOutput&) = delete;

    bool available() override;
    bool start(std::unique_ptr<audio::StreamSource> source) override;
    void setPaused(bool paused) override;
    void stop() override;
    void setVolume(double gain) override;
    double heardSeconds() override;
    bool ended() override;

  private:
    audio::SoundEngine& m_engine;
    audio::StreamChannel* m_channel = nullptr;
    int m_source = -1;
    bool m_ended = false;
};

} // namespace velmora::cd
