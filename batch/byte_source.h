#pragma once
// Where imported bytes come from: a file handle on Windows, bytes in memory
// elsewhere. Readers pull through this so they never need the whole file.

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace quorvane {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to size bytes; returns the count, 0 at the end of the file, -1 when the read failed.
  virtual std::ptrdiff_t read(char* buffer, std::size_t size) = 0;
};

// Serves bytes that are already in memory; the bytes must outlive the source.
class MemoryByteSource final : public ByteSource {
 public:
  explicit MemoryByteSource(std::string_view bytes) : rest_(bytes) {}

  std::ptrdiff_t read(char* buffer, std::size_t size) override {
    const std::size_t count = std::min(size, rest_.size());
    if (count != 0) std::memcpy(buffer, rest_.data(), count);
    rest_.remove_prefix(count);
    return static_cast<std::ptrdiff_t>(count);
  }

 private:
  std::string_view rest_;
};

}  // namespace quorvane
