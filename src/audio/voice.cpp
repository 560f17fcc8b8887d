#include "audio/voice.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velmora::audio {
namespace {

constexpr float kPcmScale = 1.0f / 32768.0f;

void mixConstant(const std::int16_t* src, float* left, float* right, int n, float gl, float gr) {
    const float sl = gl * kPcmScale, sr = gr * kPcmScale;
    for (int i = 0; i < n; ++i) {
        const float s = static_cast<float>(src[i]);
        left[i] += s * sl;
        right[i] += s * sr;
    }
}

void mixRamp(const std::int16_t* src, float* left, float* right, int n, float gl, float gr,
             float dl, float dr) {
    // Gains are computed from the index, not accumulated, so the loop has no carried
    // dependency and vectorises.
    for (int i = 0; i < n; ++i) {
        const float s = static_cast<float>(src[i]) * kPcmScale;
        const float k = static_cast<float>(i + 1);
        left[i] += s * (gl + k * dl);
        right[i] += s * (gr + k * dr);
    }
}

} // namespace

void channelGains(int volume, int pan, float& left, float& right) {
    const float amp = static_cast<float>(std::clamp(volume, 0, 255)) / 255.0f;
    const int p = std::clamp(pan, 0, 255);
    const double quarter = std::numbers::pi / 4.0;
    const double angle = p <= 128 ? quarter * p / 128.0 : quarter + quarter * (p - 128) / 127.0;
    left = p == 255 ? 0.0f : amp * static_cast<float>(std::cos(angle));
    right = p == 0 ? 0.0f : amp * static_cast<float>(std::sin(angle));
}

void Voice::setTarget(float left, float right, int frames) {
    targetL = left;
    targetR = right;
    if (fresh || frames <= 0) {
        gainL = left;
        gainR = right;
        rampLeft = 0;
        return;
    }
    // A change that arrives during a longer glide (a drift step in a crossfade) finishes
    // with it, so the glide is never cut short into a jump.
    rampLeft = std::max(frames, rampLeft);
    stepL = (left - gainL) / static_cast<float>(rampLeft);
    stepR = (right - gainR) / static_cast<float>(rampLeft);
}

bool Voice::mixInto(float* left, float* right, int n) {
    fresh = false;
    const std::int16_t* data = sample->pcm.data();
    const auto length = static_cast<std::int64_t>(sample->pcm.size());
    int done = 0;
    while (done < n) {
        if (position >= length) {
            if (!loop) return false;
            position = 0; // sample-exact loop: the frame after the last is the first
        }
        int run = static_cast<int>(std::min<std::int64_t>(n - done, length - position));
        if (rampLeft > 0) {
            run = std::min(run, rampLeft);
            mixRamp(data + position, left + done, right + done, run, gainL, gainR, stepL, stepR);
            rampLeft -= run;
            if (rampLeft == 0) {
                gainL = targetL;
                gainR = targetR;
            } else {
                gainL += stepL * static_cast<float>(run);
                gainR += stepR * static_cast<float>(run);
            }
        } else if (gainL != 0.0f || gainR != 0.0f) {
            mixConstant(data + position, left + done, right + done, run, gainL, gainR);
        }
        // A silent voice still advances, so it ends when it would have been heard ending.
        position += run;
        done += run;
        if (stopping && rampLeft == 0) return false;
    }
    return true;
}

} // namespace velmora::audio
