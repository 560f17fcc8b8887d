#pragma once
// Four-float vectors through the compiler's portable vector extension (GCC and clang),
// for the few DSP loops whose lanes are not consecutive samples and so are not
// vectorised automatically. Plain IEEE arithmetic, no intrinsics: results are identical
// to the scalar code on every target.

#include <cstring>

namespace velmora::audio::simd {

using F4 = float __attribute__((vector_size(16)));

inline F4 load(const float* p) {
    F4 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

inline void store(float* p, F4 v) {
    std::memcpy(p, &v, sizeof v);
}

inline F4 splat(float x) {
    return F4{x, x, x, x};
}

/// Lanes {2, 3, 0, 1}.
inline F4 swapHalves(F4 v) {
#if defined(__clang__)
    return __builtin_shufflevector(v, v, 2, 3, 0, 1);
#else
    using I4 = int __attribute__((vector_size(16)));
    return __builtin_shuffle(v, I4{2, 3, 0, 1});
#endif
}

/// Lanes {1, 0, 3, 2}.
inline F4 swapPairs(F4 v) {
#if defined(__clang__)
    return __builtin_shufflevector(v, v, 1, 0, 3, 2);
#else
    using I4 = int __attribute__((vector_size(16)));
    return __builtin_shuffle(v, I4{1, 0, 3, 2});
#endif
}

/// Lanes {a2, a3, b0, b1}: the upper half of a followed by the lower half of b.
inline F4 joinHalves(F4 a, F4 b) {
#if defined(__clang__)
    return __builtin_shufflevector(a, b, 2, 3, 4, 5);
#else
    using I4 = int __attribute__((vector_size(16)));
    return __builtin_shuffle(a, b, I4{2, 3, 4, 5});
#endif
}

inline float sum(F4 v) {
    return (v[0] + v[1]) + (v[2] + v[3]);
}

/// Unnormalised 4-point Walsh-Hadamard transform.
inline F4 hadamard4(F4 x) {
    const F4 t = F4{1, 1, -1, -1} * x + swapHalves(x);
    return F4{1, -1, 1, -1} * t + swapPairs(t);
}

} // namespace velmora::audio::simd
