#include "app/win/startup.h"

#include <vector>

#include "app/win/com_apartment.h"
#include "batch/win/batch_files_win.h"
#include "couriers/win/courier_list_file_win.h"
#include "tracking/win/wininet_fetcher.h"
#include "ui/app_state.h"
#include "ui/win/main_window.h"
#include "ui/win/message_pump.h"

namespace quorvane {
namespace {

std::wstring executablePath() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return std::wstring(buffer.data(), length);
    buffer.resize(buffer.size() * 2);  // cut short: long-path prefix or deep folder
  }
}

// Releases the state exactly once when the program ends, whichever way it ends.
class ExitCleanup {
 public:
  explicit ExitCleanup(std::unique_ptr<AppState>& state) : state_(state) {}
  ~ExitCleanup() { releaseAppState(state_); }
  ExitCleanup(const ExitCleanup&) = delete;
  ExitCleanup& operator=(const ExitCleanup&) = delete;

 private:
  std::unique_ptr<AppState>& state_;
};

}  // namespace

std::wstring directoryOfPath(const std::wstring& path) {
  const std::size_t lastBackslash = path.rfind(L'\\');
  return lastBackslash == std::wstring::npos ? std::wstring() : path.substr(0, lastBackslash);
}

std::wstring makeProgramDirectoryCurrent() {
  const std::wstring directory = directoryOfPath(executablePath());
  if (!directory.empty()) SetCurrentDirectoryW(directory.c_str());
  return directory;
}

std::wstring courierListPath(const std::wstring& programDirectory) {
  return programDirectory.empty() ? std::wstring() : programDirectory + L"\\infor.ini";
}

int runQuorvane(HINSTANCE instance, int showCommand) {
  const ComApartment com;  // the shell call behind the hyperlink asks for it
  const std::wstring directory = makeProgramDirectoryCurrent();
  std::unique_ptr<AppState> state = createAppState();
  ExitCleanup cleanup(state);

  MainWindow::registerClasses(instance);
  WinInetFetcher fetcher;  // the one HTTP client of the process
  const WindowsCourierListFile courierList(courierListPath(directory));
  HWND owner = nullptr;
  WindowsBatchFiles files(owner);
  MainWindow window(instance, {*state, fetcher, files, courierList});
  if (window.create(showCommand)) {
    owner = window.handle();
    runMessageLoop(window.handle());
  }
  return 0;  // whatever the quit request carried
}

}  // namespace quorvane
