// The page pipeline on arbitrary bytes: decoding, classification and history
// extraction with the compiled patterns. The bytes also go in as page text
// directly, since the strict decoder lets little random text through.
// Run with -timeout=2: extraction must stay linear on pages up to 1 MiB.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "tracking/classify_page.h"
#include "tracking/decode_page.h"
#include "tracking/detail_extraction.h"
#include "tracking/history_box.h"
#include "tracking/status_text.h"
#include "tracking/tracking_patterns.h"

namespace {

using namespace quorvane;
using fuzz::compiledPatterns;
using fuzz::require;

// Counts what would be shown. The headline is a piece of the page; the entries
// are pieces that never overlap, and cleaning only ever shortens one.
class CountingBox final : public HistoryBox {
 public:
  void replaceText(std::string_view text) override { headline = text.size(); }
  void appendText(std::string_view text) override { entries += text.size(); }
  std::size_t headline = 0;
  std::size_t entries = 0;
};

bool isStatus(StatusText text) {
  for (const StatusText s : {status::kQueryFailed, status::kNoInformation, status::kBadNumber, status::kAddressBarred,
                             status::kScanned, status::kUnknownError}) {
    if (text == s) return true;
  }
  return false;
}

void runPage(std::string_view pageText) {
  require(isStatus(classifyPage(pageText)));
  CountingBox box;
  showTrackingDetails(compiledPatterns(), box, pageText);
  require(box.headline <= pageText.size() && box.entries <= pageText.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string decoded = decodePage(bytes);
  require(decoded.find('\0') == std::string::npos);
  runPage(decoded);
  runPage(bytes);
  return 0;
}
