#include "service/huge_body.h"

#include <algorithm>
#include <string>

#include "service/tracking_pages.h"

namespace quorvane::service {
namespace {

constexpr std::string_view kOpening =
    "<!DOCTYPE html>\n<html>\n<head><meta charset=\"utf-8\"><title>Tracking</title></head>\n<body>\n<!--";
constexpr std::size_t kPieceSize = 64 * 1024;
constexpr std::string_view kClosing = "-->\n</body>\n</html>\n";

// Lines of 79 spaces and a newline: plain filler that is valid inside a comment.
const std::string& fillerBlock() {
  static const std::string block = [] {
    std::string line(79, ' ');
    line += '\n';
    std::string text;
    while (text.size() < kPieceSize) text += line;
    text.resize(kPieceSize);
    return text;
  }();
  return block;
}

bool writeFiller(const std::function<bool(std::string_view)>& write, std::size_t count) {
  const std::string& block = fillerBlock();
  while (count > 0) {
    const std::size_t piece = std::min(count, block.size());
    if (!write(std::string_view(block).substr(0, piece))) return false;
    count -= piece;
  }
  return true;
}

}  // namespace

bool streamHugeBody(const std::function<bool(std::string_view)>& write) {
  const std::string beforeMarker = "-->\n<p>";
  const std::string middle = beforeMarker + std::string(kKnownMarker) + "：</p>\n<!--";
  const std::size_t firstFiller = kHugeBodyMarkerOffset - beforeMarker.size() - kOpening.size();
  const std::size_t secondFiller =
      kHugeBodySize - kHugeBodyMarkerOffset + beforeMarker.size() - middle.size() - kClosing.size();
  return write(kOpening) && writeFiller(write, firstFiller) && write(middle) && writeFiller(write, secondFiller) &&
         write(kClosing);
}

}  // namespace quorvane::service
