#include "batch/import_line_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "batch/byte_source.h"

namespace quorvane {
namespace {

using namespace std::string_view_literals;

constexpr std::size_t kBufferSizes[] = {1, 2, 3, ImportLineReader::kDefaultBufferSize};

// Runs the import loop to its end and returns every line read, including the last.
std::vector<std::string> readAllLines(ImportLineReader& reader, std::size_t inputSize) {
  std::vector<std::string> lines;
  // More lines than bytes + 1 would mean the loop never stops.
  for (std::size_t guard = 0; guard <= inputSize + 1; ++guard) {
    ImportLine line = reader.readLine();
    lines.push_back(std::move(line.text));
    if (line.last) {
      const ImportLine afterLast = reader.readLine();
      EXPECT_TRUE(afterLast.text.empty());
      EXPECT_TRUE(afterLast.last);
      return lines;
    }
  }
  ADD_FAILURE() << "the reader never returned a last line";
  return lines;
}

struct ExpectedLine {
  std::string text;
  std::string number;
};

struct ReaderCase {
  const char* name;
  std::string_view input;
  std::vector<ExpectedLine> lines;
};

const ReaderCase kReaderCases[] = {
    {"CRLF lines", "111\r\n222\r\n", {{"111", "111"}, {"222", "222"}}},
    {"LF lines", "111\n222\n", {{"111", "111"}, {"222", "222"}}},
    {"bare CR file is one line, final CR dropped", "111\r222\r333\r", {{"111\r222\r333", "111\r222\r333"}}},
    {"CR inside a line stays", "11\r1\r\n222", {{"11\r1", "11\r1"}, {"222", "222"}}},
    {"no final LF", "111\n222", {{"111", "111"}, {"222", "222"}}},
    {"final LF adds no empty line", "111\n", {{"111", "111"}}},
    {"empty file gives one empty line", "", {{"", ""}}},
    {"only empty lines", "\n\r\n\n", {{"", ""}, {"", ""}, {"", ""}}},
    {"NUL mid-line ends the text", "111\n22\0 2\n333\n"sv, {{"111", "111"}, {"22", "22"}}},
    {"NUL at a line start ends the text", "111\n\0SF2\n"sv, {{"111", "111"}}},
    {"SUB mid-line ends the text", "111\n22\x1AZ\n333", {{"111", "111"}, {"22", "22"}}},
    {"SUB at a line start ends the text", "111\n\x1A\n222", {{"111", "111"}}},
    {"CR before SUB is dropped", "111\r\x1A", {{"111", "111"}}},
    {"lead byte swallows LF", "11\x81\n22\n333", {{"11\x81\n22", "11\x81\n22"}, {"333", "333"}}},
    {"lead byte swallows CR, which stays", "11\x81\r\n22", {{"11\x81\r", "11\x81\r"}, {"22", "22"}}},
    {"lead byte swallows SUB", "11\x81\x1AZ", {{"11\x81\x1AZ", "11\x81\x1AZ"}}},
    {"lead byte swallows a space", "11\x81 2 note", {{"11\x81 2 note", "11\x81 2"}}},
    {"lead byte before NUL stays", "11\x81\0SF"sv, {{"11\x81", "11\x81"}}},
    {"euro sign ends a note, LF kept", "111 note\x80\n222\n", {{"111 note\x80", "111"}, {"222", "222"}}},
    {"0xFF ends a note, LF kept", "111 note\xFF\n222\n", {{"111 note\xFF", "111"}, {"222", "222"}}},
    {"lead byte at the end of the file stays", "111\n22\x81", {{"111", "111"}, {"22\x81", "22\x81"}}},
    {"UTF-8 BOM is part of the first number",
     "\xEF\xBB\xBFSF1\nSF2\n",
     {{"\xEF\xBB\xBFSF1", "\xEF\xBB\xBFSF1"}, {"SF2", "SF2"}}},
    // Every ASCII character of UTF-16LE is followed by a zero byte, which ends the text.
    {"UTF-16LE stops at the first zero", "S\0F\0\r\0\n\0"sv, {{"S", "S"}}},
    {"UTF-16LE with BOM keeps the BOM", "\xFF\xFES\0F\0"sv, {{"\xFF\xFES", "\xFF\xFES"}}},
    {"tab is part of the number", "111\t222 note", {{"111\t222 note", "111\t222"}}},
    {"full-width space is part of the number", "SF1\xA1\xA1SF2 note", {{"SF1\xA1\xA1SF2 note", "SF1\xA1\xA1SF2"}}},
    {"number, space, note", "111 note here\n", {{"111 note here", "111"}}},
    {"leading space gives an empty number", " 111\n222", {{" 111", ""}, {"222", "222"}}},
    // UTF-8 for U+4E2D is E4 B8 AD: read as GBK, AD pairs with the LF and joins two lines.
    {"UTF-8 note swallows the LF", "111 \xE4\xB8\xAD\n222\n", {{"111 \xE4\xB8\xAD\n222", "111"}}},
};

TEST(ImportLineReaderTest, SplitsLinesAndNumbersAtEveryBufferSize) {
  for (const ReaderCase& c : kReaderCases) {
    std::vector<std::string> expectedTexts;
    std::vector<std::string> expectedNumbers;
    for (const ExpectedLine& line : c.lines) {
      expectedTexts.push_back(line.text);
      expectedNumbers.push_back(line.number);
    }
    for (const std::size_t bufferSize : kBufferSizes) {
      SCOPED_TRACE(testing::Message() << c.name << ", buffer size " << bufferSize);
      MemoryByteSource source(c.input);
      ImportLineReader reader(source, bufferSize);
      const std::vector<std::string> texts = readAllLines(reader, c.input.size());
      std::vector<std::string> numbers;
      for (const std::string& text : texts) numbers.emplace_back(numberOfLine(text));
      EXPECT_EQ(texts, expectedTexts);
      EXPECT_EQ(numbers, expectedNumbers);
    }
  }
}

// Serves its bytes, then fails every read instead of reporting the end.
class FailingSource final : public ByteSource {
 public:
  explicit FailingSource(std::string_view bytes) : bytes_(bytes) {}

  std::ptrdiff_t read(char* buffer, std::size_t size) override {
    const std::ptrdiff_t count = bytes_.read(buffer, size);
    if (count > 0) return count;
    ++failedReads;
    return -1;
  }

  int failedReads = 0;

 private:
  MemoryByteSource bytes_;
};

TEST(ImportLineReaderTest, FailedReadDropsTheLineItInterruptsAndStops) {
  const struct {
    std::string_view input;
    std::vector<std::string> lines;
  } cases[] = {
      {"111\n222", {"111", ""}},
      {"111\n222\n333", {"111", "222", ""}},
      // The LF completed 111; the failure comes with the look past it.
      {"111\n", {"111"}},
      {"", {""}},
  };
  for (const auto& c : cases) {
    for (const std::size_t bufferSize : kBufferSizes) {
      SCOPED_TRACE(testing::Message() << '"' << c.input << "\", buffer size " << bufferSize);
      FailingSource source(c.input);
      ImportLineReader reader(source, bufferSize);
      EXPECT_EQ(readAllLines(reader, c.input.size()), c.lines);
      EXPECT_EQ(source.failedReads, 1);
    }
  }
}

TEST(ImportLineReaderTest, ALineOverTheBoundEndsTheReadingLikeAFailedRead) {
  constexpr std::size_t kBound = 8;
  const struct {
    std::string_view input;
    std::vector<std::string> lines;
  } cases[] = {
      {"12345678\n9", {"12345678", "9"}},   // at the bound: kept
      {"1234567\r\n9", {"1234567", "9"}},   // the final CR counts, the LF does not
      {"123456789\n222", {""}},             // over it: dropped, nothing after it read
      {"111\n123456789", {"111", ""}},      // the lines before it stay
      {"111\n12345678\r\n2", {"111", ""}},  // eight bytes and a CR
  };
  for (const auto& c : cases) {
    for (const std::size_t bufferSize : kBufferSizes) {
      SCOPED_TRACE(testing::Message() << '"' << c.input << "\", buffer size " << bufferSize);
      MemoryByteSource source(c.input);
      ImportLineReader reader(source, bufferSize, kBound);
      EXPECT_EQ(readAllLines(reader, c.input.size()), c.lines);
    }
  }
}

// Serves size bytes of 'A' on demand, never holding them, and counts what it served.
class EndlessLineSource final : public ByteSource {
 public:
  explicit EndlessLineSource(std::size_t size) : rest_(size) {}

  std::ptrdiff_t read(char* buffer, std::size_t size) override {
    const std::size_t count = std::min(size, rest_);
    std::fill_n(buffer, count, 'A');
    rest_ -= count;
    served += count;
    return static_cast<std::ptrdiff_t>(count);
  }

  std::size_t served = 0;

 private:
  std::size_t rest_;
};

TEST(ImportLineReaderTest, AFileWithoutLineFeedsIsNotHeldInMemory) {
  EndlessLineSource source(64u << 20);
  ImportLineReader reader(source);
  const ImportLine line = reader.readLine();
  EXPECT_TRUE(line.text.empty()) << "a line of " << line.text.size() << " bytes was returned";
  EXPECT_TRUE(line.last);
  EXPECT_LE(source.served, ImportLineReader::kDefaultMaxLineBytes + ImportLineReader::kDefaultBufferSize);
}

// Produces "SF<n>\r\n" for n = 0 .. lineCount-1 on demand, checking each request's size.
class GeneratedLinesSource final : public ByteSource {
 public:
  GeneratedLinesSource(int lineCount, std::size_t maxRequest) : lineCount_(lineCount), maxRequest_(maxRequest) {}

  static std::string number(int n) { return "SF" + std::to_string(n); }

  std::ptrdiff_t read(char* buffer, std::size_t size) override {
    EXPECT_LE(size, maxRequest_);
    std::size_t written = 0;
    while (written < size) {
      if (offset_ == pending_.size()) {
        if (nextLine_ == lineCount_) break;
        pending_ = number(nextLine_++) + "\r\n";
        offset_ = 0;
      }
      const std::size_t count = std::min(size - written, pending_.size() - offset_);
      pending_.copy(buffer + written, count, offset_);
      offset_ += count;
      written += count;
    }
    return static_cast<std::ptrdiff_t>(written);
  }

 private:
  int lineCount_;
  std::size_t maxRequest_;
  int nextLine_ = 0;
  std::string pending_;
  std::size_t offset_ = 0;
};

TEST(ImportLineReaderTest, StreamsALargeFileThroughItsBuffer) {
  constexpr int kLineCount = 200'000;
  GeneratedLinesSource source(kLineCount, ImportLineReader::kDefaultBufferSize);
  ImportLineReader reader(source);
  int lineCount = 0;
  for (;;) {
    const ImportLine line = reader.readLine();
    ASSERT_EQ(numberOfLine(line.text), GeneratedLinesSource::number(lineCount));
    ++lineCount;
    if (line.last) break;
  }
  EXPECT_EQ(lineCount, kLineCount);
}

}  // namespace
}  // namespace quorvane
