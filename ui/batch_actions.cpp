#include "ui/batch_actions.h"

#include "batch/export_lines.h"
#include "batch/import_line_reader.h"
#include "ui/window_texts.h"

namespace quorvane {

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
      const ImportLine line = reader.readLine();
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
  std::unique_ptr<ByteSink> file = context.files.createExportFile();
  if (!file) {
    view.showMessage(texts::kSaveFileFailed, texts::kErrorTitle, MessageIcon::Error);
    return;
  }
  const auto rowAt = [&view](std::size_t row) {
    return ResultRow{view.cell(row, kNumberColumn), view.cell(row, kStatusColumn)};
  };
  const auto write = [&file](std::string_view bytes) { return file->write(bytes); };
  if (writeResultRows(view.rowCount(), rowAt, write) == ExportResult::WriteFailed) {
    view.showMessage(texts::kWriteFailed, texts::kErrorTitle, MessageIcon::Error);
  }
}

}  // namespace quorvane
