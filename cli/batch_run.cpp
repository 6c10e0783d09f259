#include "cli/batch_run.h"

#include "batch/import_line_reader.h"
#include "cli/result_lines.h"
#include "tracking/query_tracking.h"
#include "tracking/tracking_number.h"

namespace quorvane::cli {
namespace {

enum class NumberEnd { Written, Interrupted, WriteFailed };

NumberEnd runNumber(const RunSettings& settings, PageFetcher& fetcher, std::string_view number, ByteSink& output,
                    RunHooks& hooks, RunState& state) {
  HistoryEntries history;
  StatusText status = status::kBadNumber;
  // A number that fails the form check is never sent, as in the window.
  if (isValidTrackingNumber(settings.patterns, number)) {
    if (state.queried && settings.intervalMs > 0) hooks.pause(settings.intervalMs);
    if (hooks.stopRequested()) return NumberEnd::Interrupted;
    const TrackingClient client{settings.patterns, settings.companyCode, fetcher, history, settings.serviceHost};
    status = queryTracking(client, number, settings.history ? Detail : Summary);
    state.queried = true;
    if (hooks.stopRequested()) return NumberEnd::Interrupted;  // the fetch may have been cut short
  }
  std::string lines = resultLine(number, status, settings.utf8);
  if (settings.history) lines += historyLines(history.entries(), settings.utf8);
  if (!output.write(lines)) return NumberEnd::WriteFailed;
  state.tally.add(status);
  hooks.finished(state.tally);
  return NumberEnd::Written;
}

}  // namespace

RunEnd runInput(const RunSettings& settings, PageFetcher& fetcher, ByteSource& input, ByteSink& output, RunHooks& hooks,
                RunState& state) {
  ImportLineReader reader(input);
  for (;;) {
    if (hooks.stopRequested()) return RunEnd::Interrupted;
    const ImportLine line = reader.readLine();
    // A line of no bytes is skipped; one that begins with a space has an empty number.
    if (!line.text.empty()) {
      switch (runNumber(settings, fetcher, numberOfLine(line.text), output, hooks, state)) {
        case NumberEnd::Written:
          break;
        case NumberEnd::Interrupted:
          return RunEnd::Interrupted;
        case NumberEnd::WriteFailed:
          return RunEnd::WriteFailed;
      }
    }
    if (line.last) return RunEnd::InputDone;
  }
}

}  // namespace quorvane::cli
