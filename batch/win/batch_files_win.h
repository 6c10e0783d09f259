#pragma once
// The common open and save dialogs and the files of the import and export.

#include <windows.h>

#include <string>

#include "batch/batch_files.h"

namespace quorvane {

class WindowsBatchFiles final : public BatchFiles {
 public:
  // The dialogs belong to the owner window as it is at the time they open.
  explicit WindowsBatchFiles(const HWND& owner) : owner_(owner) {}

  bool chooseImportFile() override;
  std::unique_ptr<ByteSource> openImportFile() override;
  bool chooseExportFile() override;
  std::unique_ptr<ReplacingFile> createExportFile() override;

  // The file names the dialogs hold: the path chosen last, or empty.
  const std::wstring& importPath() const { return importPath_; }
  const std::wstring& exportPath() const { return exportPath_; }

 private:
  const HWND& owner_;
  std::wstring importPath_;
  std::wstring exportPath_;
};

}  // namespace quorvane
