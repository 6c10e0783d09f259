#include "ui/batch_actions.h"

#include <exception>

#include "batch/export_lines.h"
#include "batch/import_line_reader.h"
#include "ui/window_texts.h"

namespace quorvane {
namespace {

// A read that throws (out of memory, say) ends the import as a failed read does.
ImportLine readLineOrStop(ImportLineReader& reader) {
  try {
    return reader.readLine();
  } catch (const std::exception&) {
    return {std::string(), true};
  }
}

}  // namespace

void importNumberFile(MainWindowContext& context) {
  MainWindowView& view = context.view;
  view.setCaption(texts::kContactCaption);
  view.showMessage(texts::kImportWarning, texts::kWarningTitle, MessageIcon::Warning);
  if (!context.files.chooseImportFile()) return;
  std::unique_ptr<ByteSource> file = context.files.openImportFile();
  if (!file) {
    view.showMessage(texts::kOpenFileFailed, texts::kErrorTitle, MessageIcon::Error);
    return;
  }
  view.setHintText(texts::kHintQuerying);
  ImportLineReader reader(*file);
  {
    const RowBatch batch(view);
    for (;;) {
      const ImportLine line = readLineOrStop(reader);
      if (!line.text.empty()) appendAndQueryNumber(context, numberOfLine(line.text));
      if (line.last || view.isClosed()) break;
    }
  }
  file.reset();  // closed before the hint says the import is done
  view.setHintText(texts::kHintDone);
}

void exportResultList(MainWindowContext& context) {
  MainWindowView& view = context.view;
  if (!context.files.chooseExportFile()) return;
  std::unique_ptr<ReplacingFile> file = context.files.createExportFile();
  if (!file) {
    view.showMessage(texts::kSaveFileFailed, texts::kErrorTitle, MessageIcon::Error);
    return;
  }
  const auto rowAt = [&view](std::size_t row) {
    return ResultRow{view.cell(row, kNumberColumn), view.cell(row, kStatusColumn)};
  };
  const auto write = [&file](std::string_view bytes) { return file->write(bytes); };
  // The chosen file is replaced only by a list written in full; after any
  // failure it stays as it was.
  if (writeResultRows(view.rowCount(), rowAt, write) == ExportResult::WriteFailed || !file->commit()) {
    view.showMessage(texts::kWriteFailed, texts::kErrorTitle, MessageIcon::Error);
  }
}

}  // namespace quorvane
