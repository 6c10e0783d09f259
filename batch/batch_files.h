#pragma once
// The file dialogs and files of the import and the export. Each dialog keeps
// the file chosen through it last and shows it again the next time.

#include <memory>

#include "batch/byte_sink.h"
#include "batch/byte_source.h"

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
  // The file chosen last, created or emptied for writing; others may read and
  // write it meanwhile. nullptr when it cannot be opened.
  virtual std::unique_ptr<ByteSink> createExportFile() = 0;
};

}  // namespace quorvane
