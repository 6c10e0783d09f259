#pragma once
// Where exported bytes go: a file handle on Windows, memory in tests. The file
// is closed when the sink goes.

#include <string_view>

namespace quorvane {

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Writes all the bytes; false when the write failed.
  virtual bool write(std::string_view bytes) = 0;
};

}  // namespace quorvane
