#include "batch/import_line_reader.h"

#include <algorithm>

#include "text/gbk_text.h"

namespace quorvane {
namespace {

constexpr char kNul = '\x00';
constexpr char kLineFeed = '\x0A';
constexpr char kCarriageReturn = '\x0D';
constexpr char kSub = '\x1A';

// Why the scan of a line stopped.
enum class LineEnd { None, LineFeed, EndOfText };

}  // namespace

ImportLineReader::ImportLineReader(ByteSource& source, std::size_t bufferSize, std::size_t maxLineBytes)
    : source_(source), buffer_(std::max<std::size_t>(bufferSize, 1)), maxLineBytes_(maxLineBytes) {}

ImportLine ImportLineReader::abandon() {
  finished_ = true;
  return {std::string(), true};
}

ImportLineReader::Fill ImportLineReader::refill() {
  const std::ptrdiff_t count = source_.read(buffer_.data(), buffer_.size());
  if (count < 0) return Fill::Failed;
  if (count == 0) return Fill::End;
  pos_ = 0;
  filled_ = static_cast<std::size_t>(count);
  return Fill::Bytes;
}

bool ImportLineReader::atEndOfText() {
  if (pos_ == filled_ && refill() != Fill::Bytes) return true;
  const char next = buffer_[pos_];
  return next == kNul || next == kSub;
}

ImportLine ImportLineReader::readLine() {
  if (finished_) return {std::string(), true};
  ImportLine line;
  // Both carry across buffer refills, so a chunk boundary never splits a character.
  bool awaitingTrail = false;
  bool endsWithCarriageReturn = false;
  LineEnd end = LineEnd::None;
  while (end == LineEnd::None) {
    if (pos_ == filled_) {
      const Fill fill = refill();
      if (fill == Fill::Failed) return abandon();
      if (fill == Fill::End) {
        end = LineEnd::EndOfText;
        break;
      }
    }
    const std::size_t runStart = pos_;
    for (; pos_ < filled_; ++pos_) {
      const char byte = buffer_[pos_];
      if (byte == kNul) {
        end = LineEnd::EndOfText;
        break;
      }
      if (awaitingTrail) {
        awaitingTrail = false;  // the lead byte already cleared endsWithCarriageReturn
        continue;
      }
      if (byte == kLineFeed || byte == kSub) {
        end = byte == kLineFeed ? LineEnd::LineFeed : LineEnd::EndOfText;
        break;
      }
      awaitingTrail = gbk::isLeadByte(byte);
      endsWithCarriageReturn = byte == kCarriageReturn;
    }
    if (pos_ - runStart > maxLineBytes_ - line.text.size()) return abandon();
    line.text.append(buffer_.data() + runStart, pos_ - runStart);
  }
  if (endsWithCarriageReturn) line.text.pop_back();
  if (end == LineEnd::LineFeed) {
    ++pos_;
    line.last = atEndOfText();
  } else {
    line.last = true;
  }
  finished_ = line.last;
  return line;
}

std::string_view numberOfLine(std::string_view line) {
  const std::size_t space = gbk::find(line, " ");
  return space == gbk::npos ? line : line.substr(0, space);
}

}  // namespace quorvane
