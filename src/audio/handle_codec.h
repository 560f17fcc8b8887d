#pragma once
// How the engine packs a table index and a generation count into one handle: the index in
// the low bits, the generation above it, the sign bit always clear so that a handle is never
// negative (negative means invalid). A generation grows by one on every reuse of its index,
// wraps before it reaches the sign bit and skips 0, so a handle made before the reuse (or a
// default one) never matches again.
//
// Thread: any (pure functions).

#include <cstdint>

namespace velmora::audio {

template <int IndexBits> struct HandleCodec {
    static_assert(IndexBits > 0 && IndexBits < 31, "room for a generation above the index");
    static constexpr int kIndexBits = IndexBits;
    /// How many distinct indices a handle can name.
    static constexpr int kIndexCount = 1 << IndexBits;
    static constexpr std::uint32_t kIndexMask = (1u << IndexBits) - 1;
    static constexpr std::uint32_t kGenerationMask = (1u << (31 - IndexBits)) - 1;

    struct Parts {
        int index;
        std::uint32_t generation;
    };

    /// index in [0, kIndexCount); generation as returned by next().
    [[nodiscard]] static constexpr std::int32_t encode(int index, std::uint32_t generation) {
        return static_cast<std::int32_t>((generation & kGenerationMask) << IndexBits |
                                         (static_cast<std::uint32_t>(index) & kIndexMask));
    }
    /// raw must be non-negative (a valid handle).
    [[nodiscard]] static constexpr Parts decode(std::int32_t raw) {
        const auto bits = static_cast<std::uint32_t>(raw);
        return {static_cast<int>(bits & kIndexMask), bits >> IndexBits};
    }
    /// The generation that follows g.
    [[nodiscard]] static constexpr std::uint32_t next(std::uint32_t g) {
        g = (g + 1) & kGenerationMask;
        return g == 0 ? 1 : g;
    }
};

/// 32 mixer channels.
using ChannelHandleCodec = HandleCodec<5>;
/// Up to a million loaded samples, reused slots told apart by 11 bits of generation.
using SampleHandleCodec = HandleCodec<20>;
/// The master bus's 16 effect slots.
using EffectHandleCodec = HandleCodec<4>;

} // namespace velmora::audio
