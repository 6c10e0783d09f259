#include "batch/win/batch_files_win.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "batch/win/replacing_file_win.h"
#include "text/win/unique_handle.h"

namespace quorvane {
namespace {

enum class DialogKind { Open, Save };

// Runs one common file dialog. On OK the path becomes the chosen file; on
// cancel it keeps its value, so the next dialog shows the file chosen last.
bool runFileDialog(HWND owner, DialogKind kind, std::wstring& path) {
  std::vector<wchar_t> file(32768, L'\0');
  path.copy(file.data(), std::min(path.size(), file.size() - 1));
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = L"*.txt\0*.txt\0";
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
  if (kind == DialogKind::Open) {
    dialog.Flags |= OFN_FILEMUSTEXIST;
  } else {
    dialog.lpstrDefExt = L"txt";
  }
  const BOOL confirmed = kind == DialogKind::Open ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
  if (!confirmed) return false;
  path = file.data();
  return !path.empty();
}

class FileByteSource final : public ByteSource {
 public:
  explicit FileByteSource(HANDLE file) : file_(file) {}
  std::ptrdiff_t read(char* buffer, std::size_t size) override {
    DWORD read = 0;
    if (!ReadFile(file_.get(), buffer, static_cast<DWORD>(size), &read, nullptr)) return -1;
    return static_cast<std::ptrdiff_t>(read);
  }

 private:
  UniqueHandle file_;
};

}  // namespace

bool WindowsBatchFiles::chooseImportFile() { return runFileDialog(owner_, DialogKind::Open, importPath_); }

// Others may read the file meanwhile, but not write it.
std::unique_ptr<ByteSource> WindowsBatchFiles::openImportFile() {
  HANDLE file = CreateFileW(importPath_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<FileByteSource>(file);
}

bool WindowsBatchFiles::chooseExportFile() { return runFileDialog(owner_, DialogKind::Save, exportPath_); }

std::unique_ptr<ReplacingFile> WindowsBatchFiles::createExportFile() { return createReplacingFile(exportPath_); }

}  // namespace quorvane
