#pragma once
// The sound side of one looping slot: its sample (loaded once, kept) and the channel of its
// latest start. Shared by every background-style bank so that starting, stopping, volume
// and balance behave the same everywhere.
//
// Thread: UI thread (calls the engine's UI-thread API).

#include "audio/sound_engine.h"

#include <filesystem>

namespace velmora {

class SlotVoice {
  public:
    /// Loads `file` unless a sample is already held. A failed load leaves no sample, so the
    /// next call tries again (a file put back later is picked up at the next switch-on).
    void ensureLoaded(audio::SoundEngine& engine, const std::filesystem::path& file);
    /// Replaces the sample; the old one is released once no channel plays it any more.
    void setSample(audio::SoundEngine& engine, audio::SampleHandle sample);
    /// Plays the sample on a free channel as a loop, at `pan` (0..255) and `volume`
    /// (0..255, more counts as 255). Without a sample the channel is invalid and later
    /// calls on it do nothing: the slot is silently mute.
    void start(audio::SoundEngine& engine, int pan, int volume);
    /// Stops the latest channel (a channel already ended or reused is left alone).
    void stop(audio::SoundEngine& engine);
    /// Volume 0..255 of the latest channel; nothing happens when it is not playing.
    void applyVolume(audio::SoundEngine& engine, int volume) const;
    /// Pan 0 (left)..255 (right) of the latest channel.
    void applyPan(audio::SoundEngine& engine, int pan) const;

    [[nodiscard]] audio::SampleHandle sample() const { return m_sample; }
    [[nodiscard]] audio::ChannelHandle channel() const { return m_channel; }
    [[nodiscard]] bool hasSample() const { return m_sample.valid(); }

  private:
    audio::SampleHandle m_sample;
    audio::ChannelHandle m_channel;
};

} // namespace velmora
