#pragma once
// The console side of quorvane-batch on Windows: Ctrl+C, the standard handles
// as byte sources and sinks, and text on the console in its own characters.

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "batch/byte_sink.h"
#include "batch/byte_source.h"

namespace quorvane::cli {

// Catches the console's Ctrl+C and Ctrl+Break once: the first sets the stop
// request, a second ends the process as usual.
void catchConsoleInterrupt();
bool consoleInterruptRequested();

// A file (not a folder) open for reading, others may read it too; nullptr when it cannot be opened.
std::unique_ptr<ByteSource> openFileForReading(const std::wstring& path);
std::unique_ptr<ByteSource> standardInputSource();

// Writes bytes as they are to a standard handle (a file, a pipe or the console).
class StandardHandleSink final : public ByteSink {
 public:
  explicit StandardHandleSink(DWORD which) : handle_(GetStdHandle(which)) {}
  bool write(std::string_view bytes) override;

 private:
  HANDLE handle_;
};

bool isConsole(DWORD which);
// GBK text on a console, in UTF-16, so it reads the same whatever the console's code page.
void writeConsoleText(DWORD which, std::string_view gbk);

}  // namespace quorvane::cli
