// quorvane-batch on Linux and other POSIX systems: arguments from the locale's
// encoding, the libcurl fetch, SIGINT as Ctrl+C.

#include <signal.h>
#include <time.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <string>
#include <vector>

#include "batch/posix/replacing_file_posix.h"
#include "cli/posix/fd_streams.h"
#include "cli/posix/locale_text.h"
#include "cli/tool.h"
#include "tracking/posix/curl_fetcher.h"

namespace quorvane::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int) { interrupted = 1; }

bool interruptRequested() { return interrupted != 0; }

// No SA_RESTART, so a blocking read of standard input returns at once. The
// handler is reset on its first call: a second Ctrl+C ends the process outright.
void catchInterrupt() {
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  // A closed pipe on standard output is a failed write, reported like any other.
  signal(SIGPIPE, SIG_IGN);
}

std::string directoryOfProgram() {
  std::string path(4096, '\0');
  const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<std::size_t>(length) == path.size()) return {};
  path.resize(static_cast<std::size_t>(length));
  return path.substr(0, path.rfind('/') + 1);
}

// An argument in GBK; one that the locale's encoding cannot give in GBK
// becomes "?" marks, which name no courier.
std::string argumentInGbk(const std::string& arg) {
  return localeTextToGbk(arg).value_or(std::string(arg.size(), '?'));
}

class PosixPlatform final : public ToolPlatform {
 public:
  explicit PosixPlatform(const std::vector<std::string>& args)
      : args_(args), fetcher_(FetchLimits{}, [] { return interruptRequested(); }) {}

  std::unique_ptr<ByteSource> openInput(const ArgPath& path) override {
    return openFileForReading(pathOf(path), interruptRequested);
  }
  std::unique_ptr<ByteSource> openStandardInput() override {
    return std::make_unique<FdSource>(STDIN_FILENO, false, interruptRequested);
  }
  std::optional<std::string> readCourierList(const std::optional<ArgPath>& path, std::string& shown) override {
    if (path) {
      shown = argumentInGbk(pathOf(*path));
      return readWholeFile(pathOf(*path));
    }
    const std::string besideProgram = directoryOfProgram() + "infor.ini";
    shown = argumentInGbk(besideProgram);
    if (std::optional<std::string> list = readWholeFile(besideProgram)) return list;
    if (::access(besideProgram.c_str(), F_OK) == 0) return std::nullopt;  // there, but unreadable
    shown = "infor.ini";
    return readWholeFile("infor.ini");
  }
  std::unique_ptr<ReplacingFile> createOutput(const ArgPath& path) override {
    return createReplacingFile(pathOf(path));
  }
  ByteSink& standardOutput() override { return standardOutput_; }

  void writeError(std::string_view gbkLine) override { error_.write(gbkTextForLocale(gbkLine) + "\n"); }
  bool errorIsTerminal() override { return ::isatty(STDERR_FILENO) == 1; }
  void drawProgress(std::string_view gbkLine) override {
    // Back to the start of the line, the new text, the rest of the old one erased.
    error_.write("\r" + gbkTextForLocale(gbkLine) + "\x1b[K");
    progressShown_ = true;
  }
  void endProgress() override {
    if (progressShown_) error_.write("\n");
    progressShown_ = false;
  }

  PageFetcher& fetcher() override { return fetcher_; }
  bool stopRequested() override { return interruptRequested(); }
  void sleepMs(unsigned ms) override {
    const timespec duration{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1'000'000};
    nanosleep(&duration, nullptr);  // a signal may end it early
  }
  std::uint64_t clockMs() override {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000 + static_cast<std::uint64_t>(now.tv_nsec) / 1'000'000;
  }

 private:
  std::string pathOf(const ArgPath& path) const { return args_[path.arg].substr(path.prefixLength); }

  const std::vector<std::string>& args_;  // as given, in the locale's encoding
  CurlFetcher fetcher_;
  FdSink standardOutput_{STDOUT_FILENO};
  FdSink error_{STDERR_FILENO};
  bool progressShown_ = false;
};

}  // namespace
}  // namespace quorvane::cli

int main(int argc, char** argv) {
  using namespace quorvane::cli;
  std::setlocale(LC_ALL, "");
  catchInterrupt();
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::vector<std::string> gbkArgs;
  for (const std::string& arg : args) gbkArgs.push_back(argumentInGbk(arg));
  PosixPlatform platform(args);
  return runTool(gbkArgs, platform);
}
