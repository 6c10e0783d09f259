#include "cli/tool.h"

#include <algorithm>

#include "batch/import_line_reader.h"
#include "cli/batch_run.h"
#include "cli/exit_status.h"
#include "cli/progress.h"
#include "cli/utf8_input.h"
#include "couriers/courier_list.h"
#include "couriers/ini_file.h"
#include "tracking/tracking_patterns.h"

namespace quorvane::cli {
namespace {

constexpr std::string_view kProgram = "quorvane-batch: ";
constexpr std::uint64_t kProgressRedrawMs = 100;

// Notes a failed read, which the import line reader takes as the end of the file.
class WatchedSource final : public ByteSource {
 public:
  explicit WatchedSource(std::unique_ptr<ByteSource> source) : source_(std::move(source)) {}
  std::ptrdiff_t read(char* buffer, std::size_t size) override {
    const std::ptrdiff_t count = source_->read(buffer, size);
    failed_ = failed_ || count < 0;
    return count;
  }
  bool failed() const { return failed_; }

 private:
  std::unique_ptr<ByteSource> source_;
  bool failed_ = false;
};

class Tool final : public RunHooks {
 public:
  Tool(const std::vector<std::string>& args, const CommandLine& line, ToolPlatform& platform)
      : args_(args),
        line_(line),
        platform_(platform),
        showProgress_(!line.quiet && platform.errorIsTerminal()),
        startMs_(platform.clockMs()) {}

  int run();

  bool stopRequested() override { return platform_.stopRequested(); }
  void pause(unsigned ms) override;
  void finished(const Tally& tally) override { drawProgress(tally, false); }

 private:
  int fail(std::string_view message) {
    platform_.endProgress();
    platform_.writeError(std::string(kProgram) + std::string(message));
    return kCannotRun;
  }
  std::string shown(const ArgPath& path) const { return args_[path.arg].substr(path.prefixLength); }
  std::string shown(const std::optional<ArgPath>& input) const { return input ? shown(*input) : "standard input"; }

  std::optional<std::string> companyCode(std::string& error);
  // Opens an input, watched for failed reads; nullptr when it cannot be opened.
  std::unique_ptr<WatchedSource> open(const std::optional<ArgPath>& input);
  // Numbers in the files, or nullopt when standard input is one of them; error is set when a file fails.
  std::optional<std::size_t> countNumbers(std::string& error);
  void drawProgress(const Tally& tally, bool last);

  const std::vector<std::string>& args_;
  const CommandLine& line_;
  ToolPlatform& platform_;
  const bool showProgress_;
  const std::uint64_t startMs_;
  std::optional<std::uint64_t> lastDrawnMs_;
};

void Tool::pause(unsigned ms) {
  // In short steps, so that Ctrl+C ends the wait soon.
  constexpr std::uint64_t kStepMs = 20;
  const std::uint64_t until = platform_.clockMs() + ms;
  for (std::uint64_t now = platform_.clockMs(); now < until && !stopRequested(); now = platform_.clockMs()) {
    platform_.sleepMs(static_cast<unsigned>(std::min(until - now, kStepMs)));
  }
}

std::optional<std::string> Tool::companyCode(std::string& error) {
  if (line_.companyCode) return line_.companyCode;
  std::string listPath;
  const std::optional<std::string> list = platform_.readCourierList(line_.list, listPath);
  if (!list) {
    error = "cannot read the courier list " + listPath;
    return std::nullopt;
  }
  const auto readValue = [&list](const std::string& key) {
    return readProfileString(*list, kCourierListSection, key, kCourierListDefault, kCourierValueBufferSize);
  };
  const std::vector<CourierEntry> entries = readCourierEntries(readValue);
  std::string names;
  for (const CourierEntry& entry : entries) {
    if (entry.name == *line_.courierName) return entry.code;
    names += (names.empty() ? "" : ", ") + entry.name;
  }
  error = "no courier named \"" + *line_.courierName + "\" in " + listPath +
          (names.empty() ? std::string(", which lists none") : "; it lists: " + names);
  return std::nullopt;
}

std::unique_ptr<WatchedSource> Tool::open(const std::optional<ArgPath>& input) {
  std::unique_ptr<ByteSource> source = input ? platform_.openInput(*input) : platform_.openStandardInput();
  return source ? std::make_unique<WatchedSource>(std::move(source)) : nullptr;
}

std::optional<std::size_t> Tool::countNumbers(std::string& error) {
  std::size_t count = 0;
  bool fromStandardInput = false;
  for (const std::optional<ArgPath>& input : line_.inputs) {
    if (!input) {
      fromStandardInput = true;
      continue;
    }
    std::unique_ptr<WatchedSource> file = open(input);
    if (file && showProgress_) {
      Utf8InputSource utf8(*file);
      ImportLineReader reader(line_.utf8 ? static_cast<ByteSource&>(utf8) : *file);
      for (ImportLine numberLine; !numberLine.last;) {
        numberLine = reader.readLine();
        count += numberLine.text.empty() ? 0 : 1;
      }
    }
    if (!file || file->failed()) {
      error = "cannot read " + shown(input);
      return std::nullopt;
    }
  }
  if (line_.inputs.empty() || fromStandardInput) return std::nullopt;
  return count;
}

void Tool::drawProgress(const Tally& tally, bool last) {
  if (!showProgress_) return;
  const std::uint64_t now = platform_.clockMs();
  if (!last && lastDrawnMs_ && now - *lastDrawnMs_ < kProgressRedrawMs) return;
  lastDrawnMs_ = now;
  platform_.drawProgress(progressText(tally, now - startMs_));
}

int Tool::run() {
  std::string error;
  const std::optional<std::string> code = companyCode(error);
  if (!code) return fail(error);

  // Every input is opened (and counted, for the progress line) before the first query.
  RunState state;
  state.tally.total = countNumbers(error);
  if (!error.empty()) return fail(error);

  std::unique_ptr<ReplacingFile> outputFile;
  if (line_.output) {
    outputFile = platform_.createOutput(*line_.output);
    if (!outputFile) return fail("cannot write " + shown(*line_.output));
  }
  ByteSink& output = outputFile ? *outputFile : platform_.standardOutput();
  const std::string outputName = line_.output ? shown(*line_.output) : "standard output";

  TrackingPatterns patterns;
  compilePatterns(patterns);
  const RunSettings settings{patterns, *code, line_.host, line_.history, line_.utf8, line_.intervalMs};
  std::vector<std::optional<ArgPath>> inputs = line_.inputs;
  if (inputs.empty()) inputs.emplace_back();

  RunEnd end = RunEnd::InputDone;
  for (const std::optional<ArgPath>& input : inputs) {
    std::unique_ptr<WatchedSource> source = open(input);
    if (!source) return fail("cannot read " + shown(input));
    Utf8InputSource utf8(*source);
    end = runInput(settings, platform_.fetcher(), line_.utf8 ? static_cast<ByteSource&>(utf8) : *source, output, *this,
                   state);
    if (end == RunEnd::WriteFailed) return fail("cannot write " + outputName);
    // A read cut short by Ctrl+C is the interruption, not a failed file.
    if (end == RunEnd::Interrupted || platform_.stopRequested()) {
      end = RunEnd::Interrupted;
      break;
    }
    if (source->failed()) return fail("cannot read " + shown(input));
  }
  drawProgress(state.tally, true);
  if (outputFile && !outputFile->commit()) return fail("cannot write " + outputName);
  platform_.endProgress();
  if (end == RunEnd::Interrupted) return kInterrupted;
  return state.tally.anyUnanswered() ? kSomeQueryFailed : kEveryNumberAnswered;
}

}  // namespace

int runTool(const std::vector<std::string>& args, ToolPlatform& platform) {
  const ParsedCommandLine parsed = parseCommandLine(args);
  if (!parsed.error.empty()) {
    platform.writeError(std::string(kProgram) + parsed.error + " (see quorvane-batch --help)");
    return kCannotRun;
  }
  const CommandLine& line = parsed.commandLine;
  if (line.action == CommandLine::Action::Help || line.action == CommandLine::Action::Version) {
    const std::string text =
        line.action == CommandLine::Action::Help ? usageText() : "quorvane-batch " QUORVANE_VERSION "\n";
    return platform.standardOutput().write(text) ? kEveryNumberAnswered : kCannotRun;
  }
  return Tool(args, line, platform).run();
}

}  // namespace quorvane::cli
