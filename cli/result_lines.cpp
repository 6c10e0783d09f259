#include "cli/result_lines.h"

#include "batch/export_lines.h"
#include "text/gbk_converter.h"

namespace quorvane::cli {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// A GBK line with CR LF, or the same line in UTF-8 with LF.
std::string inEncoding(std::string gbkLine, bool utf8) {
  if (!utf8) return gbkLine;
  gbkLine.resize(gbkLine.size() - kCrLf.size());
  return convertGbkToUtf8(gbkLine) + "\n";
}

}  // namespace

std::string resultLine(std::string_view number, std::string_view status, bool utf8) {
  return inEncoding(exportLine(number, status), utf8);
}

std::string historyLines(const std::vector<std::string>& entries, bool utf8) {
  std::string lines;
  for (const std::string& entry : entries) {
    std::string_view rest = entry;
    while (!rest.empty()) {
      const std::size_t end = rest.find(kCrLf);
      const std::string_view line = rest.substr(0, end);
      lines += inEncoding("  " + std::string(line) + std::string(kCrLf), utf8);
      rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + kCrLf.size());
    }
  }
  return lines;
}

}  // namespace quorvane::cli
