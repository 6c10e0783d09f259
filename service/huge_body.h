#pragma once
// The body of the huge-body fault: 20 MiB of ASCII filler inside HTML comments,
// with the known-result marker only after the first 17 MiB, so a client that
// stops reading at 16 MiB never sees it. Produced piece by piece, never whole.

#include <cstddef>
#include <functional>
#include <string_view>

namespace quorvane::service {

inline constexpr std::size_t kHugeBodySize = std::size_t{20} << 20;
// Where the marker sentence starts: past 17 MiB, with room to spare.
inline constexpr std::size_t kHugeBodyMarkerOffset = std::size_t{18} << 20;

// Hands the body to write in order, in pieces of at most 64 KiB; stops early
// (returning false) as soon as write returns false.
bool streamHugeBody(const std::function<bool(std::string_view)>& write);

}  // namespace quorvane::service
