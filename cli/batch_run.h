#pragma once
// The run of quorvane-batch over one input: each line's number is checked and
// queried as the window's import does, and its line is written before the next
// query.

#include <string_view>

#include "batch/byte_sink.h"
#include "batch/byte_source.h"
#include "cli/tally.h"
#include "tracking/page_fetcher.h"
#include "tracking/tracking_patterns.h"

namespace quorvane::cli {

struct RunSettings {
  const TrackingPatterns& patterns;
  std::string_view companyCode;
  std::string_view serviceHost;  // empty: the build's
  bool history = false;
  bool utf8 = false;
  unsigned intervalMs = 0;
};

// What the run asks of its surroundings.
class RunHooks {
 public:
  virtual ~RunHooks() = default;
  // Ctrl+C was pressed.
  virtual bool stopRequested() = 0;
  // Waits, returning early once a stop is requested.
  virtual void pause(unsigned ms) = 0;
  // A number was finished and its lines written.
  virtual void finished(const Tally& tally) = 0;
};

enum class RunEnd { InputDone, Interrupted, WriteFailed };

// The state that carries from one input to the next.
struct RunState {
  Tally tally;
  bool queried = false;  // a query was sent already, so the next one waits the interval
};

// Reads the numbers of input (GBK) and writes their lines to output. A number
// whose query was under way when a stop was requested is left without a line.
RunEnd runInput(const RunSettings& settings, PageFetcher& fetcher, ByteSource& input, ByteSink& output, RunHooks& hooks,
                RunState& state);

}  // namespace quorvane::cli
