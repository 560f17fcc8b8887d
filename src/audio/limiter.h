#pragma once
// The last stage of the master bus: a look-ahead peak limiter that keeps the float mix
// inside full scale without clipping. Below its threshold it is bit-transparent (the audio
// is only delayed by the look-ahead); above it the gain dips in a smooth ramp that is
// complete before the peak arrives, and recovers over about 150 ms.
//
// Thread: audio thread only.

#include <array>

namespace velmora::audio {

class Limiter {
  public:
    static constexpr int kLookahead = 64;       ///< frames of delay (1.45 ms)
    static constexpr float kThreshold = 0.944f; ///< -0.5 dBFS

    Limiter();
    void reset();
    /// Limits two planar channels and writes interleaved stereo to out; n frames.
    void process(const float* left, const float* right, float* out, int n);
    /// True when nothing is stored that still has to come out.
    [[nodiscard]] bool idle() const { return m_quietRun >= 2 * kLookahead && m_release >= 1.0f; }

  private:
    float requiredGain(float l, float r) const;

    std::array<float, kLookahead> m_delayL{}, m_delayR{};
    // The window minimum is kept per run of kRun frames: the current partial run plus the
    // last four complete ones always cover the look-ahead and the frame leaving now (a
    // little more at times, which only makes the limiter slightly more careful).
    static constexpr int kRun = 16;
    std::array<float, kLookahead / kRun> m_runMins{};
    float m_partialMin = 1.0f;
    float m_completeMin = 1.0f; // minimum of m_runMins
    int m_runFill = 0;
    int m_runSlot = 0;
    std::array<float, kLookahead> m_mins{}; // held gains of the last kLookahead frames (ring)
    std::array<float, 256> m_need{};        // required gain per frame of the current call
    int m_pos = 0;
    double m_minSum = kLookahead; // sum of m_mins
    float m_release = 1.0f;
    float m_releaseCoef;
    int m_quietRun = 2 * kLookahead; // consecutive frames at unity gain
};

} // namespace velmora::audio
