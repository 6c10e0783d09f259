#pragma once
// Standard input and input files in UTF-8 (--utf8), served as the GBK bytes
// the import line reader splits. Converted before the split, so that no UTF-8
// byte is mistaken for the lead byte of a GBK pair.

#include <string>

#include "batch/byte_source.h"

namespace quorvane::cli {

// A byte order mark at the start is dropped; a byte that is not UTF-8, and a
// character that GBK lacks, becomes "?" (which no tracking number holds).
class Utf8InputSource final : public ByteSource {
 public:
  explicit Utf8InputSource(ByteSource& utf8) : utf8_(utf8) {}
  std::ptrdiff_t read(char* buffer, std::size_t size) override;

 private:
  // Converts the complete characters of raw_; at the end, what is left too.
  void convertAvailable(bool atEnd);

  ByteSource& utf8_;
  std::string raw_;  // read, not yet converted
  std::string gbk_;  // converted, not yet served
  std::size_t served_ = 0;
  bool started_ = false;  // the first bytes were checked for a byte order mark
  bool ended_ = false;
};

}  // namespace quorvane::cli
