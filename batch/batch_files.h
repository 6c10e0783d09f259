#pragma once
// The file dialogs and files of the import and the export. Each dialog keeps
// the file chosen through it last and shows it again the next time.

#include <memory>

#include "batch/byte_source.h"
#include "batch/replacing_file.h"

namespace quorvane {

class BatchFiles {
 public:
  virtual ~BatchFiles() = default;

  // The open dialog; false when the user cancelled or no path came back.
  virtual bool chooseImportFile() = 0;
  // The file chosen last, open for reading; others may read it, not write it.
  // nullptr when it cannot be opened.
  virtual std::unique_ptr<ByteSource> openImportFile() = 0;

  // The save dialog; false when the user cancelled or no path came back.
  virtual bool chooseExportFile() = 0;
  // A file that replaces the file chosen last once it is written in full and
  // committed; until then that file stays as it was. nullptr when the chosen
  // file cannot be written (in use by an import, a folder, read-only).
  virtual std::unique_ptr<ReplacingFile> createExportFile() = 0;
};

}  // namespace quorvane
