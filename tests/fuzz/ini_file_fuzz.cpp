// The INI reader and the courier list built on it, on arbitrary file bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "couriers/courier_list.h"
#include "couriers/ini_file.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace quorvane;
using fuzz::require;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  constexpr std::string_view kDefault = "default";
  // Small buffers as well, where the cut must keep to the buffer.
  for (const std::size_t bufferSize : {std::size_t{1}, std::size_t{2}, std::size_t{3}, kCourierValueBufferSize}) {
    const std::string value = readProfileString(bytes, kCourierListSection, "1", kDefault, bufferSize);
    require(value == kDefault || value.size() < bufferSize);
  }
  const auto readValue = [bytes](const std::string& key) {
    return readProfileString(bytes, kCourierListSection, key, kCourierListDefault, kCourierValueBufferSize);
  };
  // An entry named or coded "0" ends the list and is not in it.
  for (const CourierEntry& entry : readCourierEntries(readValue)) require(entry.name != "0" && entry.code != "0");
  return 0;
}
