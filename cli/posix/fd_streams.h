#pragma once
// Byte sources and sinks on POSIX file descriptors.

#include <memory>
#include <optional>
#include <string>

#include "batch/byte_sink.h"
#include "batch/byte_source.h"

namespace quorvane::cli {

// Reads a descriptor, closing it when dropped if it owns it. A read that a
// signal interrupts is repeated unless stopped() says the run is over.
class FdSource final : public ByteSource {
 public:
  FdSource(int fd, bool owned, bool (*stopped)()) : fd_(fd), owned_(owned), stopped_(stopped) {}
  ~FdSource() override;
  FdSource(const FdSource&) = delete;
  FdSource& operator=(const FdSource&) = delete;
  std::ptrdiff_t read(char* buffer, std::size_t size) override;

 private:
  int fd_;
  bool owned_;
  bool (*stopped_)();
};

// Writes every byte to a descriptor that stays open, straight through, so a
// written line is out before the next query.
class FdSink final : public ByteSink {
 public:
  explicit FdSink(int fd) : fd_(fd) {}
  bool write(std::string_view bytes) override;

 private:
  int fd_;
};

// A regular file (not a folder) open for reading; nullptr when it is not one or cannot be opened.
std::unique_ptr<ByteSource> openFileForReading(const std::string& path, bool (*stopped)());

// The whole of a regular file; nullopt when it cannot be read.
std::optional<std::string> readWholeFile(const std::string& path);

}  // namespace quorvane::cli
