#pragma once
// What every fuzz target shares: the check that turns a broken property into a crash the
// fuzzer keeps, and the view of its input as text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace velmora::fuzz {

inline void require(bool ok) {
    if (!ok) std::abort();
}

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace velmora::fuzz
