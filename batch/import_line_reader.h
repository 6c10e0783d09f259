#pragma once
// Splits an import file into lines of GBK bytes, one line per call, through a
// fixed buffer: memory grows with the longest line, never with the file.
//
// The import loop is:
//   for (;;) {
//     ImportLine line = reader.readLine();
//     if (!line.text.empty()) addRow(numberOfLine(line.text));
//     if (line.last) break;
//   }
//
// How the bytes split:
// - A line ends at LF, which belongs to no line. A CR that is the line's last
//   character is dropped; any other CR stays, so a bare-CR file is one line.
// - The bytes after the last LF form the last line. When the LF is the file's
//   last byte no further empty line follows; an empty file gives one empty line.
// - NUL or SUB ends the readable text: the line stops before it and nothing
//   after it is read.
// - A lead byte (0x81 to 0xFE) takes the next byte as its trail byte (even LF,
//   CR or SUB) unless that byte is NUL; a lone lead byte stays in the line.
//   0x80 and 0xFF are characters of one byte.
//   LF, SUB and the final CR count only where a character begins; NUL counts anywhere.
// - A failed read drops the line it interrupts (an empty last line is returned);
//   lines completed before it are kept. A line longer than the bound ends the
//   reading the same way, so a file without line feeds never fills memory.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "batch/byte_source.h"

namespace quorvane {

struct ImportLine {
  std::string text;   // the line's bytes, without its LF and final CR
  bool last = false;  // the end of the file, a NUL/SUB or a failed read follows: stop after this line
};

class ImportLineReader {
 public:
  static constexpr std::size_t kDefaultBufferSize = 64 * 1024;
  // Far above any tracking number and its note, which take a few dozen bytes.
  static constexpr std::size_t kDefaultMaxLineBytes = 1024 * 1024;

  // The source must outlive the reader; each read asks it for at most bufferSize
  // bytes. A line counts its bytes up to its LF, a final CR included.
  explicit ImportLineReader(ByteSource& source, std::size_t bufferSize = kDefaultBufferSize,
                            std::size_t maxLineBytes = kDefaultMaxLineBytes);

  // The next line. Once a line with last set was returned, every further call
  // returns an empty last line without reading.
  ImportLine readLine();

 private:
  enum class Fill { Bytes, End, Failed };

  Fill refill();
  // Stops the reading for good: the line in progress is dropped.
  ImportLine abandon();
  // Whether reading stops at the current position: end of file, failed read, NUL or SUB.
  bool atEndOfText();

  ByteSource& source_;
  std::vector<char> buffer_;
  std::size_t maxLineBytes_;
  std::size_t pos_ = 0;     // next unread byte in buffer_
  std::size_t filled_ = 0;  // bytes of buffer_ that hold data
  bool finished_ = false;
};

// The tracking number of a line: its text before the first space (0x20) that
// starts a character, or the whole line. Tabs and full-width spaces are part of it.
std::string_view numberOfLine(std::string_view line);

}  // namespace quorvane
