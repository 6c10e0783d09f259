#include "cli/posix/fd_streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

namespace quorvane::cli {

FdSource::~FdSource() {
  if (owned_) ::close(fd_);
}

std::ptrdiff_t FdSource::read(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t count = ::read(fd_, buffer, size);
    if (count >= 0 || errno != EINTR || stopped_()) return count < 0 ? -1 : count;
  }
}

bool FdSink::write(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(fd_, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

std::unique_ptr<ByteSource> openFileForReading(const std::string& path, bool (*stopped)()) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  return std::make_unique<FdSource>(fd, true, stopped);
}

std::optional<std::string> readWholeFile(const std::string& path) {
  std::unique_ptr<ByteSource> file = openFileForReading(path, [] { return false; });
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const std::ptrdiff_t count = file->read(buffer, sizeof buffer);
    if (count < 0) return std::nullopt;
    if (count == 0) return bytes;
    bytes.append(buffer, static_cast<std::size_t>(count));
  }
}

}  // namespace quorvane::cli
