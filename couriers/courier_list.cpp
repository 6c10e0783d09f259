#include "couriers/courier_list.h"

#include "text/gbk_text.h"

namespace quorvane {

CourierValuePieces splitCourierValue(std::string_view value) {
  if (value.empty()) return {};
  const std::size_t firstDash = gbk::find(value, "-");
  if (firstDash == gbk::npos) return {std::string(value), std::nullopt};
  const std::string_view rest = value.substr(firstDash + 1);
  if (rest.empty()) return {std::string(value.substr(0, firstDash)), std::nullopt};
  return {std::string(value.substr(0, firstDash)), std::string(rest.substr(0, gbk::find(rest, "-")))};
}

std::vector<CourierEntry> readCourierEntries(const std::function<std::string(const std::string& key)>& readValue) {
  std::vector<CourierEntry> entries;
  // A missing key reads as "0-0", so the loop ends after the file's last key.
  for (int number = 1;; ++number) {
    const CourierValuePieces pieces = splitCourierValue(readValue(std::to_string(number)));
    if (pieces.name == "0" || pieces.code == "0") break;
    // A broken line (empty, without '-', or with its only '-' last) shows no
    // courier but does not end the list: the couriers after it still count.
    if (!pieces.code) continue;
    entries.push_back({*pieces.name, *pieces.code});
  }
  return entries;
}

}  // namespace quorvane
