// The import line reader over a byte source, with small and odd buffer sizes
// and line bounds: whatever the buffer, the lines are the same.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "batch/byte_source.h"
#include "batch/import_line_reader.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace quorvane;
using fuzz::require;

// Every line, up to and including the last; the reader must stop within the file.
std::vector<std::string> readAll(std::string_view file, std::size_t bufferSize, std::size_t maxLineBytes) {
  MemoryByteSource source(file);
  ImportLineReader reader(source, bufferSize, maxLineBytes);
  std::vector<std::string> lines;
  std::size_t bytes = 0;
  for (;;) {
    ImportLine line = reader.readLine();
    require(line.text.size() <= maxLineBytes);
    require(numberOfLine(line.text) == std::string_view(line.text).substr(0, numberOfLine(line.text).size()));
    bytes += line.text.size();
    require(bytes <= file.size());
    lines.push_back(std::move(line.text));
    require(lines.size() <= file.size() + 1);
    if (line.last) break;
  }
  const ImportLine after = reader.readLine();
  require(after.last && after.text.empty());
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // The first two bytes choose the buffer size and the line bound; the rest is the file.
  const std::size_t bufferSize = 1 + data[0] % 17;
  const std::size_t maxLineBytes = data[1] < 128 ? 1 + data[1] % 64 : ImportLineReader::kDefaultMaxLineBytes;
  const std::string_view file(reinterpret_cast<const char*>(data) + 2, size - 2);
  require(readAll(file, bufferSize, maxLineBytes) == readAll(file, ImportLineReader::kDefaultBufferSize, maxLineBytes));
  return 0;
}
