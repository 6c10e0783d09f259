#include "batch/export_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "batch/byte_source.h"
#include "batch/import_line_reader.h"

namespace quorvane {
namespace {

// GBK bytes of the status texts 已签收 and 派送中.
constexpr std::string_view kSigned = "\xD2\xD1\xC7\xA9\xCA\xD5";
constexpr std::string_view kOutForDelivery = "\xC5\xC9\xCB\xCD\xD6\xD0";

TEST(ExportLineTest, JoinsNumberAndStatusWithTwoSpacesAndCrLf) {
  const struct {
    std::string_view number;
    std::string_view status;
    std::string_view line;
  } cases[] = {
      {"SF123", "ok", "SF123  ok\r\n"},
      {"SF123", "", "SF123  \r\n"},
      {"", "ok", "  ok\r\n"},
      {"", "", "  \r\n"},
      {"SF123", kSigned, "SF123  \xD2\xD1\xC7\xA9\xCA\xD5\r\n"},
      // A lone lead byte is written as it stands.
      {"SF123", "\x81", "SF123  \x81\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(exportLine(c.number, c.status), c.line) << '"' << c.number << "\" / \"" << c.status << '"';
  }
}

// What an export of rows did; the write with index failAt fails.
struct ExportRun {
  ExportResult result;
  std::vector<std::size_t> fetchedRows;
  std::vector<std::string> writes;
};

ExportRun exportRows(const std::vector<ResultRow>& rows, std::size_t failAt = std::string::npos) {
  ExportRun run;
  run.result = writeResultRows(
      rows.size(),
      [&](std::size_t row) {
        run.fetchedRows.push_back(row);
        return rows.at(row);
      },
      [&](std::string_view bytes) {
        run.writes.emplace_back(bytes);
        return run.writes.size() - 1 != failAt;
      });
  return run;
}

TEST(ExportRowsTest, WritesEveryRowInOrderEvenWithAnEmptyNumber) {
  const ExportRun run =
      exportRows({{"SF1", std::string(kSigned)}, {"", "no number"}, {"SF3", std::string(kOutForDelivery)}});
  EXPECT_EQ(run.result, ExportResult::Written);
  EXPECT_EQ(run.writes, (std::vector<std::string>{exportLine("SF1", kSigned), "  no number\r\n",
                                                  exportLine("SF3", kOutForDelivery)}));
}

TEST(ExportRowsTest, EmptyListWritesNothing) {
  const ExportRun run = exportRows({});
  EXPECT_EQ(run.result, ExportResult::Written);
  EXPECT_TRUE(run.writes.empty());
}

TEST(ExportRowsTest, StopsAtTheFirstFailedWrite) {
  const ExportRun run = exportRows({{"SF0", "a"}, {"SF1", "b"}, {"SF2", "c"}, {"SF3", "d"}, {"SF4", "e"}}, 2);
  EXPECT_EQ(run.result, ExportResult::WriteFailed);
  EXPECT_EQ(run.writes, (std::vector<std::string>{"SF0  a\r\n", "SF1  b\r\n", "SF2  c\r\n"}));
  EXPECT_EQ(run.fetchedRows, (std::vector<std::size_t>{0, 1, 2}));
}

TEST(ExportRoundTripTest, ImportReadsBackTheExportedNumbers) {
  const std::vector<ResultRow> rows = {{"SF1001", std::string(kSigned)},
                                       {"", std::string(kOutForDelivery)},
                                       {"YT2002", ""},
                                       {"ZT\xA1\xA1ZT3003", "note with spaces"},
                                       // The lead byte takes the CR as its trail byte; the LF still ends the line.
                                       {"JD4004", "\x81"}};
  const ExportRun run = exportRows(rows);
  ASSERT_EQ(run.result, ExportResult::Written);
  std::string file;
  for (const std::string& bytes : run.writes) file += bytes;

  MemoryByteSource source(file);
  ImportLineReader reader(source);
  std::vector<std::string> numbers;
  for (;;) {
    const ImportLine line = reader.readLine();
    if (!line.text.empty()) numbers.emplace_back(numberOfLine(line.text));
    if (line.last) break;
  }
  std::vector<std::string> exported;
  for (const ResultRow& row : rows) exported.push_back(row.number);
  EXPECT_EQ(numbers, exported);
}

}  // namespace
}  // namespace quorvane
