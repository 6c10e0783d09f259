#pragma once
// The courier list file infor.ini: section "Number", keys "1", "2", ... in
// rising order, each value "display name-company code" in GBK.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane {

inline constexpr const char* kCourierListSection = "Number";
inline constexpr const char* kCourierListDefault = "0-0";  // what a missing key reads as: ends the list
inline constexpr std::size_t kCourierValueBufferSize = 10240;

// The first two pieces of a value split at single-byte '-' characters.
struct CourierValuePieces {
  std::optional<std::string> name;  // text before the first '-' (the whole value without one); none for ""
  std::optional<std::string> code;  // text between the first and second '-'; without a second '-',
                                    // the rest after the first, and only when that rest is not empty
};

CourierValuePieces splitCourierValue(std::string_view value);

struct CourierEntry {
  std::string name;
  std::string code;
  bool operator==(const CourierEntry&) const = default;
};

// Reads keys "1", "2", ... through readValue (the value of that key in section
// Number, or "0-0" when missing) until a value whose name or code is exactly
// "0". Values that give no code are left out and reading goes on.
std::vector<CourierEntry> readCourierEntries(const std::function<std::string(const std::string& key)>& readValue);

}  // namespace quorvane
