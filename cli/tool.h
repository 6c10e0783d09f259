#pragma once
// quorvane-batch from its arguments to its exit status, against what each
// platform supplies: files, standard streams, the fetch, Ctrl+C and the clock.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/byte_sink.h"
#include "batch/byte_source.h"
#include "batch/replacing_file.h"
#include "cli/command_line.h"
#include "tracking/page_fetcher.h"

namespace quorvane::cli {

class ToolPlatform {
 public:
  virtual ~ToolPlatform() = default;

  // An input file, open for reading; nullptr when it cannot be opened or is a folder.
  virtual std::unique_ptr<ByteSource> openInput(const ArgPath& path) = 0;
  virtual std::unique_ptr<ByteSource> openStandardInput() = 0;
  // The bytes of the courier list at path, or at the default place: infor.ini
  // beside the program, else in the current folder. Sets shownPath (GBK) to the
  // file it tried last; nullopt when it cannot be read.
  virtual std::optional<std::string> readCourierList(const std::optional<ArgPath>& path, std::string& shownPath) = 0;
  // The output file, written beside the path and put in its place by commit(); nullptr when it cannot be made.
  virtual std::unique_ptr<ReplacingFile> createOutput(const ArgPath& path) = 0;
  virtual ByteSink& standardOutput() = 0;

  // One line of text (GBK) on standard error, shown in the terminal's encoding.
  virtual void writeError(std::string_view gbkLine) = 0;
  virtual bool errorIsTerminal() = 0;
  // Draws the progress line (GBK) over the previous one; endProgress() ends it, so
  // that what follows starts on a line of its own.
  virtual void drawProgress(std::string_view gbkLine) = 0;
  virtual void endProgress() = 0;

  virtual PageFetcher& fetcher() = 0;
  virtual bool stopRequested() = 0;
  virtual void sleepMs(unsigned ms) = 0;
  // Milliseconds on a clock that only goes forward.
  virtual std::uint64_t clockMs() = 0;
};

// args: the arguments after the program name, in GBK.
int runTool(const std::vector<std::string>& args, ToolPlatform& platform);

}  // namespace quorvane::cli
