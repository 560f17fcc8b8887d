#pragma once
// Two voice models shared by the animal, bird and habitat recipes.
//
// renderVoice: source-filter synthesis. A harmonic source following a pitch contour is shaped
// by formant resonances (evaluated per harmonic, so formants may glide without filter
// artefacts), with breath noise through the same formants, vibrato, jitter, tremolo and
// roughness (a subharmonic that makes a voice raspy: geese, crows, roosters).
//
// renderChirps: whistled syllables (a near-sine with a frequency contour, optional trill by
// amplitude or frequency modulation): the songbirds' material.
//
// Threads: pure functions; call from any worker thread.

#include "dsp.h"

namespace velmora::factory {

struct Formant {
    float hz;
    float bandwidthHz;
    float gainDb = 0.0f;
};

struct VoiceSpec {
    float duration = 1.0f;           ///< seconds
    Curve pitch;                     ///< Hz over normalised time 0..1
    Curve amp;                       ///< 0..1 over normalised time 0..1
    std::vector<Formant> formants;   ///< formant set at the start
    std::vector<Formant> formantsTo; ///< optional set to glide to (same count)
    Curve morph;                     ///< 0 = formants, 1 = formantsTo, over normalised time
    float tilt = 1.0f;               ///< harmonic k has amplitude 1 / k^tilt before formants
    int maxHarmonics = 60;
    float vibratoHz = 0.0f, vibratoDepth = 0.0f; ///< depth as a fraction of pitch
    float tremoloHz = 0.0f, tremoloDepth = 0.0f; ///< depth 0..1 of amplitude
    float jitter = 0.0f;                         ///< slow random pitch wander, fraction of pitch
    float breath = 0.0f;                         ///< noise through the formants, relative level
    float roughness = 0.0f;                      ///< 0..1 amplitude of a subharmonic modulation
    float formantFloorDb = -30.0f;               ///< response between formants
};

/// Renders one vocalisation of spec.duration seconds, peak about 1.
Buffer renderVoice(const VoiceSpec& spec, Rng& rng);

struct Chirp {
    float start = 0.0f;    ///< seconds from the start of the phrase
    float duration = 0.1f; ///< seconds
    Curve freq;            ///< Hz over normalised time 0..1
    float amp = 1.0f;
    float attack = 0.15f;              ///< fraction of the duration
    float release = 0.35f;             ///< fraction of the duration
    float h2 = 0.05f, h3 = 0.02f;      ///< weak harmonics keep a whistle from sounding synthetic
    float fmHz = 0.0f, fmDepth = 0.0f; ///< trill: frequency wobble, depth as a fraction
    float amHz = 0.0f, amDepth = 0.0f; ///< buzz: amplitude pulsing
};

/// Renders all chirps into one buffer long enough for the last of them.
Buffer renderChirps(const std::vector<Chirp>& chirps);

} // namespace velmora::factory
