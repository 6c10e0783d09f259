#include "batch/posix/replacing_file_posix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

namespace quorvane {
namespace {

// The mode a new file gets from open(…, 0666) under the process's umask.
mode_t newFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// A replaced file keeps its permissions; a new one gets the usual ones, not
// the owner-only mode that mkstemp gives.
mode_t modeForTarget(const std::string& targetPath) {
  struct stat target {};
  if (stat(targetPath.c_str(), &target) == 0) return target.st_mode & 07777;
  return newFileMode();
}

class PosixReplacingFile final : public ReplacingFile {
 public:
  PosixReplacingFile(int descriptor, std::string temporaryPath, std::string targetPath)
      : descriptor_(descriptor), temporaryPath_(std::move(temporaryPath)), targetPath_(std::move(targetPath)) {}
  ~PosixReplacingFile() override {
    if (descriptor_ >= 0) close(descriptor_);
    if (!committed_) unlink(temporaryPath_.c_str());
  }
  PosixReplacingFile(const PosixReplacingFile&) = delete;
  PosixReplacingFile& operator=(const PosixReplacingFile&) = delete;

  bool write(std::string_view bytes) override {
    while (!failed_ && !bytes.empty()) {
      const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
      if (written < 0 && errno == EINTR) continue;  // a signal (Ctrl+C) is not a failed write
      if (written <= 0) {
        failed_ = true;
        break;
      }
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return !failed_;
  }

  bool commit() override {
    if (failed_ || descriptor_ < 0) return false;
    // Written through to the disk before it replaces anything, so a crash
    // afterwards cannot leave an empty target behind.
    const bool synced = fsync(descriptor_) == 0;
    const bool closed = close(descriptor_) == 0;
    descriptor_ = -1;
    if (!synced || !closed) return false;
    committed_ = rename(temporaryPath_.c_str(), targetPath_.c_str()) == 0;
    return committed_;
  }

 private:
  int descriptor_;
  std::string temporaryPath_;
  std::string targetPath_;
  bool failed_ = false;
  bool committed_ = false;
};

}  // namespace

std::unique_ptr<ReplacingFile> createReplacingFile(const std::string& targetPath) {
  // Beside the target, so that the rename stays within one file system.
  std::string pattern = targetPath + ".tmp-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int descriptor = mkstemp(name.data());
  if (descriptor < 0) return nullptr;
  std::string temporaryPath(name.data());
  if (fchmod(descriptor, modeForTarget(targetPath)) != 0) {
    const int error = errno;
    close(descriptor);
    unlink(temporaryPath.c_str());
    errno = error;
    return nullptr;
  }
  return std::make_unique<PosixReplacingFile>(descriptor, std::move(temporaryPath), targetPath);
}

}  // namespace quorvane
