// How a computed phase ends when it does not reach the ground first: the stop kind its record
// stores.
#pragma once

#include <cstdint>

namespace plumora {

inline constexpr std::int32_t kStopOnTime = 0;    // "Time": after the stop time
inline constexpr std::int32_t kStopOnHeight = 1;  // "Height": at or below the stop height

}  // namespace plumora
