#include "batch/win/replacing_file_win.h"

#include <windows.h>

#include <vector>

#include "text/win/unique_handle.h"

namespace quorvane {
namespace {

// Everything before the last separator, or "." for a bare file name.
std::wstring folderOf(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  if (separator == std::wstring::npos) return L".";
  return path.substr(0, separator == 0 ? 1 : separator);
}

class WindowsReplacingFile final : public ReplacingFile {
 public:
  WindowsReplacingFile(HANDLE temporary, std::wstring temporaryPath, std::wstring targetPath, bool targetIsNew)
      : temporary_(temporary),
        temporaryPath_(std::move(temporaryPath)),
        targetPath_(std::move(targetPath)),
        targetIsNew_(targetIsNew) {}
  ~WindowsReplacingFile() override {
    if (committed_) return;
    temporary_.close();
    DeleteFileW(temporaryPath_.c_str());
    if (targetIsNew_) DeleteFileW(targetPath_.c_str());  // the empty file that the writability check made
  }
  WindowsReplacingFile(const WindowsReplacingFile&) = delete;
  WindowsReplacingFile& operator=(const WindowsReplacingFile&) = delete;

  bool write(std::string_view bytes) override {
    while (!failed_ && !bytes.empty()) {
      DWORD written = 0;
      if (!WriteFile(temporary_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
          written == 0) {
        failed_ = true;
        break;
      }
      bytes.remove_prefix(written);
    }
    return !failed_;
  }

  bool commit() override {
    if (failed_ || !temporary_.valid()) return false;
    const bool flushed = FlushFileBuffers(temporary_.get()) != FALSE;
    const bool closed = temporary_.close();
    if (!flushed || !closed) return false;
    committed_ = MoveFileExW(temporaryPath_.c_str(), targetPath_.c_str(),
                             MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    return committed_;
  }

 private:
  UniqueHandle temporary_;
  std::wstring temporaryPath_;
  std::wstring targetPath_;
  bool targetIsNew_;
  bool failed_ = false;
  bool committed_ = false;
};

// Whether the target can be written now, as opening it for the export would
// find: a file in use without write sharing (a running import), a folder or a
// read-only file cannot. A missing target is created empty; isNew tells.
bool targetIsWritable(const std::wstring& targetPath, bool& isNew) {
  UniqueHandle target(CreateFileW(targetPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  isNew = target.valid() && GetLastError() != ERROR_ALREADY_EXISTS;
  return target.valid();
}

}  // namespace

std::unique_ptr<ReplacingFile> createReplacingFile(const std::wstring& targetPath) {
  bool targetIsNew = false;
  if (!targetIsWritable(targetPath, targetIsNew)) return nullptr;
  // Beside the target, so that the move stays within one volume.
  std::vector<wchar_t> temporaryPath(MAX_PATH + 1, L'\0');
  const std::wstring folder = folderOf(targetPath);
  HANDLE temporary = INVALID_HANDLE_VALUE;
  if (GetTempFileNameW(folder.c_str(), L"qvn", 0, temporaryPath.data()) != 0) {
    temporary =
        CreateFileW(temporaryPath.data(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (temporary == INVALID_HANDLE_VALUE) DeleteFileW(temporaryPath.data());
  }
  if (temporary == INVALID_HANDLE_VALUE) {
    if (targetIsNew) DeleteFileW(targetPath.c_str());
    return nullptr;
  }
  return std::make_unique<WindowsReplacingFile>(temporary, temporaryPath.data(), targetPath, targetIsNew);
}

}  // namespace quorvane
