#pragma once

#include <algorithm>
#include <string_view>

namespace quorvane::service {

// A tracking number of good form: 5 or more ASCII letters or digits, nothing else.
inline bool isWellFormedNumber(std::string_view number) {
  const auto isAsciiAlnum = [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  };
  return number.size() >= 5 && std::all_of(number.begin(), number.end(), isAsciiAlnum);
}

}  // namespace quorvane::service
