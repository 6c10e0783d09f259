#include "cli/win/console.h"

#include <atomic>

#include "text/win/code_page.h"
#include "text/win/unique_handle.h"

namespace quorvane::cli {
namespace {

std::atomic<bool> interruptRequested{false};

// Runs on a thread of its own that the console starts.
BOOL WINAPI onConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  if (interruptRequested.exchange(true)) return FALSE;  // the second time: the default handler ends the process
  return TRUE;
}

class HandleSource final : public ByteSource {
 public:
  explicit HandleSource(HANDLE handle) : handle_(handle) {}
  std::ptrdiff_t read(char* buffer, std::size_t size) override {
    DWORD read = 0;
    if (ReadFile(handle_.get(), buffer, static_cast<DWORD>(size), &read, nullptr)) {
      return static_cast<std::ptrdiff_t>(read);
    }
    // A pipe whose writer has closed it has simply ended.
    return GetLastError() == ERROR_BROKEN_PIPE ? 0 : -1;
  }

 private:
  UniqueHandle handle_;
};

}  // namespace

void catchConsoleInterrupt() { SetConsoleCtrlHandler(onConsoleControl, TRUE); }

bool consoleInterruptRequested() { return interruptRequested.load(); }

std::unique_ptr<ByteSource> openFileForReading(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<HandleSource>(file);
}

std::unique_ptr<ByteSource> standardInputSource() {
  // A copy of the handle, so that dropping the source leaves standard input open.
  HANDLE copy = nullptr;
  const HANDLE process = GetCurrentProcess();
  if (!DuplicateHandle(process, GetStdHandle(STD_INPUT_HANDLE), process, &copy, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
    return nullptr;
  }
  return std::make_unique<HandleSource>(copy);
}

bool StandardHandleSink::write(std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written == 0) {
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

bool isConsole(DWORD which) {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(which), &mode) != 0;
}

void writeConsoleText(DWORD which, std::string_view gbk) {
  const std::wstring wide = gbkToWide(gbk);
  DWORD written = 0;
  WriteConsoleW(GetStdHandle(which), wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

}  // namespace quorvane::cli
