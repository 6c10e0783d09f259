#pragma once
// Programs the command-line tests start: the stand-in service on a free
// loopback port, and quorvane-batch with its standard streams in files.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

// <chrono> itself does not compile with a GBK execution character set (a unit
// suffix it spells has no GBK form); <thread> brings the clocks and durations.
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace quorvane::test {

inline std::string readFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline void writeFile(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A child process, killed when dropped if it is still running. Its standard
// streams are the files named (or /dev/null), or a pipe for standard output.
class ChildProcess {
 public:
  struct Streams {
    std::string in = "/dev/null";
    std::optional<std::string> out;  // nullopt: a pipe, read with readOutputLine()
    std::string err = "/dev/null";
    std::vector<std::string> environment = inheritedEnvironment();
  };

  // This process's environment without proxies (every test talks to loopback
  // directly) and with a UTF-8 locale, in which the tests give arguments.
  static std::vector<std::string> inheritedEnvironment() {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
      const std::string_view text = *entry;
      const std::string_view name = text.substr(0, text.find('='));
      if (name == "LC_ALL" || name.ends_with("_proxy") || name.ends_with("_PROXY")) continue;
      environment.emplace_back(text);
    }
    environment.emplace_back("LC_ALL=C.UTF-8");
    return environment;
  }

  ChildProcess(const std::vector<std::string>& args, const Streams& streams) {
    std::vector<std::string> copy = args;
    std::vector<char*> argv;
    for (std::string& arg : copy) argv.push_back(arg.data());
    argv.push_back(nullptr);
    int pipeEnds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, streams.in.c_str(), O_RDONLY, 0);
    if (streams.out) {
      posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, streams.out->c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                       0644);
    } else {
      if (::pipe(pipeEnds) != 0) throw std::runtime_error("pipe failed");
      posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
      posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
      posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);
    }
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, streams.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> environmentCopy = streams.environment;
    std::vector<char*> envp;
    for (std::string& entry : environmentCopy) envp.push_back(entry.data());
    envp.push_back(nullptr);
    const int spawned = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (pipeEnds[1] >= 0) ::close(pipeEnds[1]);
    outputPipe_ = pipeEnds[0];
    if (spawned != 0) {
      pid_ = -1;
      throw std::runtime_error("cannot start " + args[0]);
    }
  }

  ~ChildProcess() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    if (outputPipe_ >= 0) ::close(outputPipe_);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  void signal(int number) { ::kill(pid_, number); }

  // The exit status, or -signal when a signal ended it; nullopt if it runs on past the wait.
  std::optional<int> wait(std::chrono::seconds limit = std::chrono::seconds(120)) {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < until) {
      int status = 0;
      if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return std::nullopt;
  }

  // One line of the output pipe, without its newline; empty after ten seconds without one.
  std::string readOutputLine() {
    std::string line;
    char c = 0;
    pollfd ready{outputPipe_, POLLIN, 0};
    while (line.size() < 200 && ::poll(&ready, 1, 10'000) == 1 && ::read(outputPipe_, &c, 1) == 1 && c != '\n') {
      line += c;
    }
    return line;
  }

 private:
  pid_t pid_ = -1;
  int outputPipe_ = -1;
};

// The stand-in service with the demo parcels on a free port of 127.0.0.1,
// barring switched off unless the arguments say otherwise.
class ServiceProcess {
 public:
  explicit ServiceProcess(std::vector<std::string> extraArgs = {"--bar-limit", "0"})
      : process_(serviceArgs(std::move(extraArgs)), {}) {
    const std::string line = process_.readOutputLine();
    const std::string prefix = "listening on 127.0.0.1:";
    if (!line.starts_with(prefix)) throw std::runtime_error("the service did not start: \"" + line + "\"");
    host_ = line.substr(prefix.size() - std::string("127.0.0.1:").size());
  }

  // "127.0.0.1:PORT"
  const std::string& host() const { return host_; }

 private:
  static std::vector<std::string> serviceArgs(std::vector<std::string> extraArgs) {
    std::vector<std::string> args = {
        QUORVANE_SERVICE_EXE, "--listen", "127.0.0.1", "--port", "0", "--data", QUORVANE_DEMO_DIR "/parcels.txt"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    return args;
  }

  ChildProcess process_;
  std::string host_;
};

}  // namespace quorvane::test
