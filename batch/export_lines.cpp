#include "batch/export_lines.h"

namespace quorvane {

std::string exportLine(std::string_view number, std::string_view status) {
  std::string line;
  line.reserve(number.size() + status.size() + 4);
  line.append(number).append("  ").append(status).append("\r\n");
  return line;
}

ExportResult writeResultRows(std::size_t rowCount, const ResultRowAt& rowAt, const WriteBytes& writeBytes) {
  // The row count alone bounds the loop: a row with an empty number is written
  // like any other, so it cannot cut the file short.
  for (std::size_t row = 0; row < rowCount; ++row) {
    const ResultRow result = rowAt(row);
    if (!writeBytes(exportLine(result.number, result.status))) return ExportResult::WriteFailed;
  }
  return ExportResult::Written;
}

}  // namespace quorvane
