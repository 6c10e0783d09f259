#pragma once
// The text of an exported result list: one line per row, "number  status"
// ending in CRLF, GBK bytes as they stand. The Windows layer supplies the rows
// and the write; everything about order and stopping lives here.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace quorvane {

// number + two spaces + status + CRLF.
std::string exportLine(std::string_view number, std::string_view status);

struct ResultRow {
  std::string number;
  std::string status;
};

enum class ExportResult { Written, WriteFailed };

// The row at an index below the row count.
using ResultRowAt = std::function<ResultRow(std::size_t row)>;
// Writes all the bytes; false when the write failed.
using WriteBytes = std::function<bool(std::string_view bytes)>;

// Writes rows 0 .. rowCount-1 in order, one write per row, and stops at the
// first failed write (no row after it is fetched).
ExportResult writeResultRows(std::size_t rowCount, const ResultRowAt& rowAt, const WriteBytes& writeBytes);

}  // namespace quorvane
