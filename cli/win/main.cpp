// quorvane-batch.exe, a console program: arguments from the wide command line,
// the WinINet fetch of the window, the console's Ctrl+C.

#include <windows.h>

#include <string>
#include <vector>

#include "batch/win/replacing_file_win.h"
#include "cli/tool.h"
#include "cli/win/console.h"
#include "couriers/win/courier_list_file_win.h"
#include "text/win/code_page.h"
#include "tracking/win/wininet_fetcher.h"

namespace quorvane::cli {
namespace {

std::wstring directoryOfProgram() {
  std::wstring path(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  if (length == 0 || length == path.size()) return {};
  path.resize(length);
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

bool isReadableFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

class WindowsPlatform final : public ToolPlatform {
 public:
  explicit WindowsPlatform(const std::vector<std::wstring>& args) : args_(args) {}

  std::unique_ptr<ByteSource> openInput(const ArgPath& path) override { return openFileForReading(pathOf(path)); }
  std::unique_ptr<ByteSource> openStandardInput() override { return standardInputSource(); }
  std::optional<std::string> readCourierList(const std::optional<ArgPath>& path, std::string& shown) override {
    std::wstring file = path ? pathOf(*path) : directoryOfProgram() + L"infor.ini";
    if (!path && GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) file = L"infor.ini";
    shown = wideToGbk(file);
    if (!isReadableFile(file)) return std::nullopt;
    return quorvane::readWholeFile(file);
  }
  std::unique_ptr<ReplacingFile> createOutput(const ArgPath& path) override {
    return createReplacingFile(pathOf(path));
  }
  ByteSink& standardOutput() override { return standardOutput_; }

  void writeError(std::string_view gbkLine) override {
    if (isConsole(STD_ERROR_HANDLE)) {
      writeConsoleText(STD_ERROR_HANDLE, std::string(gbkLine) + "\r\n");
    } else {
      standardError_.write(std::string(gbkLine) + "\r\n");
    }
  }
  bool errorIsTerminal() override { return isConsole(STD_ERROR_HANDLE); }
  void drawProgress(std::string_view gbkLine) override {
    // The console has no erase sequence to rely on: spaces cover what the last line had beyond this one.
    std::string line = "\r";
    line += gbkLine;
    if (gbkLine.size() < progressWidth_) line.append(progressWidth_ - gbkLine.size(), ' ');
    progressWidth_ = gbkLine.size();
    writeConsoleText(STD_ERROR_HANDLE, line);
  }
  void endProgress() override {
    if (progressWidth_ != 0) writeConsoleText(STD_ERROR_HANDLE, "\r\n");
    progressWidth_ = 0;
  }

  PageFetcher& fetcher() override { return fetcher_; }
  bool stopRequested() override { return consoleInterruptRequested(); }
  void sleepMs(unsigned ms) override { Sleep(ms); }
  std::uint64_t clockMs() override { return GetTickCount64(); }

 private:
  std::wstring pathOf(const ArgPath& path) const { return args_[path.arg].substr(path.prefixLength); }

  const std::vector<std::wstring>& args_;
  WinInetFetcher fetcher_;
  StandardHandleSink standardOutput_{STD_OUTPUT_HANDLE};
  StandardHandleSink standardError_{STD_ERROR_HANDLE};
  std::size_t progressWidth_ = 0;  // bytes of the progress line shown last, about its width in columns
};

}  // namespace
}  // namespace quorvane::cli

int wmain(int argc, wchar_t** argv) {
  using namespace quorvane;
  cli::catchConsoleInterrupt();
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  std::vector<std::string> gbkArgs;
  for (const std::wstring& arg : args) gbkArgs.push_back(wideToGbk(arg));
  cli::WindowsPlatform platform(args);
  return cli::runTool(gbkArgs, platform);
}
