#include "cli/utf8_input.h"

#include <algorithm>
#include <cstring>

#include "text/gbk_converter.h"
#include "text/utf8.h"

namespace quorvane::cli {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kLongestCharacter = 4;
constexpr std::size_t kChunkSize = 64 * 1024;

}  // namespace

std::ptrdiff_t Utf8InputSource::read(char* buffer, std::size_t size) {
  while (served_ == gbk_.size() && !ended_) {
    gbk_.clear();
    served_ = 0;
    char chunk[kChunkSize];
    const std::ptrdiff_t count = utf8_.read(chunk, sizeof chunk);
    if (count < 0) return -1;
    ended_ = count == 0;
    raw_.append(chunk, static_cast<std::size_t>(count));
    if (!started_ && (raw_.size() >= kByteOrderMark.size() || ended_)) {
      started_ = true;
      if (raw_.starts_with(kByteOrderMark)) raw_.erase(0, kByteOrderMark.size());
    }
    if (started_) convertAvailable(ended_);
  }
  const std::size_t count = std::min(size, gbk_.size() - served_);
  if (count != 0) std::memcpy(buffer, gbk_.data() + served_, count);
  served_ += count;
  return static_cast<std::ptrdiff_t>(count);
}

void Utf8InputSource::convertAvailable(bool atEnd) {
  std::size_t runStart = 0;
  std::size_t pos = 0;
  const auto convertRun = [&] {
    const std::string_view run = std::string_view(raw_).substr(runStart, pos - runStart);
    gbk_ += convertUtf8ToGbk(run).value_or(std::string(run.size(), '?'));  // a run of whole characters converts
  };
  while (pos < raw_.size()) {
    const std::size_t length = utf8CharacterLength(raw_, pos);
    if (length != 0) {
      pos += length;
      continue;
    }
    // The start of a character that the next read completes.
    if (!atEnd && raw_.size() - pos < kLongestCharacter) break;
    convertRun();
    gbk_ += '?';
    runStart = ++pos;
  }
  convertRun();
  raw_.erase(0, pos);
}

}  // namespace quorvane::cli
