#include "cli/utf8_input.h"

#include <gtest/gtest.h>

namespace quorvane::cli {
namespace {

// Serves its bytes a few at a time, so that characters straddle the reads.
class TrickleSource final : public ByteSource {
 public:
  TrickleSource(std::string_view bytes, std::size_t step) : rest_(bytes), step_(step) {}
  std::ptrdiff_t read(char* buffer, std::size_t size) override {
    if (failAtEnd_ && rest_.empty()) return -1;
    MemoryByteSource piece(rest_.substr(0, std::min(step_, rest_.size())));
    const std::ptrdiff_t count = piece.read(buffer, size);
    rest_.remove_prefix(static_cast<std::size_t>(count));
    return count;
  }
  bool failAtEnd_ = false;

 private:
  std::string_view rest_;
  std::size_t step_;
};

std::string readAll(ByteSource& source) {
  std::string bytes;
  char buffer[3];
  for (std::ptrdiff_t count; (count = source.read(buffer, sizeof buffer)) > 0;) {
    bytes.append(buffer, static_cast<std::size_t>(count));
  }
  return bytes;
}

TEST(Utf8Input, ConvertsToGbkWhateverTheReadsCut) {
  struct Case {
    const char* name;
    std::string_view utf8;
    std::string_view gbk;
  } const cases[] = {
      {"byte order mark dropped", "\xEF\xBB\xBFXJ1\n", "XJ1\n"},
      {"only at the start", "a\xEF\xBB\xBF", "a?"},
      {"chinese and line ends", "\xE6\x9F\xA5\r\n\xE8\xAF\xA2\n", "\xB2\xE9\r\n\xD1\xAF\n"},
      {"bytes that are not UTF-8, one ? each", "a\xFF\xC0\x80z", "a???z"},
      {"character without a GBK form", "\xF0\x9F\x93\xA6!", "?!"},
      {"cut off at the end", "ok\xE6\x9F", "ok??"},
      {"empty", "", ""},
  };
  for (const auto& testCase : cases) {
    for (const std::size_t step : {1, 2, 5, 4096}) {
      SCOPED_TRACE(std::string(testCase.name) + ", reads of " + std::to_string(step));
      TrickleSource utf8(testCase.utf8, step);
      Utf8InputSource source(utf8);
      EXPECT_EQ(readAll(source), testCase.gbk);
    }
  }
}

TEST(Utf8Input, AFailedReadIsPassedOn) {
  TrickleSource utf8("abc", 2);
  utf8.failAtEnd_ = true;
  Utf8InputSource source(utf8);
  char buffer[16];
  std::ptrdiff_t count = 0;
  std::string bytes;
  while ((count = source.read(buffer, sizeof buffer)) > 0) bytes.append(buffer, static_cast<std::size_t>(count));
  EXPECT_EQ(count, -1);
  EXPECT_EQ(bytes, "abc");
}

}  // namespace
}  // namespace quorvane::cli
