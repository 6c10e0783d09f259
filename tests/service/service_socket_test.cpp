// Runs the real quorvane-service on a free loopback port and talks to it over
// plain sockets, checking the bytes on the wire.

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "service/parcel_data.h"
#include "service/tracking_pages.h"

extern char** environ;

namespace quorvane::service {
namespace {

constexpr int kWaitSeconds = 10;  // upper bound of any single wait, never reached when all is well

// The service as a child process, stopped with SIGTERM when dropped. With
// openFileLimit it starts with that few file descriptors allowed.
class ServiceProcess {
 public:
  explicit ServiceProcess(const std::vector<std::string>& extraArgs, std::optional<rlim_t> openFileLimit = {}) {
    std::vector<std::string> args = {QUORVANE_SERVICE_EXE, "--port", "0", "--data",
                                     std::string(QUORVANE_DEMO_DIR) + "/parcels.txt"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);

    int out[2];
    if (::pipe(out) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addclose(&actions, out[1]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);  // the request log
    rlimit ownLimit{};
    ::getrlimit(RLIMIT_NOFILE, &ownLimit);
    if (openFileLimit) {  // the child inherits the limit; this process gets its own back at once
      const rlimit lowered{*openFileLimit, ownLimit.rlim_max};
      ::setrlimit(RLIMIT_NOFILE, &lowered);
    }
    const int spawned = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
    if (openFileLimit) ::setrlimit(RLIMIT_NOFILE, &ownLimit);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    stdout_ = out[0];
    if (spawned != 0) {
      ::close(stdout_);
      throw std::runtime_error("cannot start " + args[0]);
    }
    try {
      port_ = readListeningPort();
    } catch (...) {
      kill();
      throw;
    }
  }

  ~ServiceProcess() {
    if (pid_ > 0 && !stop()) kill();
    ::close(stdout_);
  }

  unsigned short port() const { return port_; }

  // Processor time the service has used so far, all its threads together.
  std::chrono::milliseconds cpuTime() const {
    std::ifstream stat("/proc/" + std::to_string(pid_) + "/stat");
    const std::string line(std::istreambuf_iterator<char>(stat), {});
    std::istringstream fields(line.substr(line.rfind(')') + 2));  // the name may hold spaces
    std::string field;
    long ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
      if (i >= 14) ticks += std::stol(field);  // utime, stime
    }
    return std::chrono::milliseconds(ticks * 1000 / ::sysconf(_SC_CLK_TCK));
  }

  // SIGTERM, then the exit status; nullopt if it did not end in time.
  std::optional<int> stop() {
    ::kill(pid_, SIGTERM);
    for (int i = 0; i < kWaitSeconds * 100; ++i) {
      int status = 0;
      if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return status;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return std::nullopt;
  }

 private:
  void kill() {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

  // The first stdout line is "listening on 127.0.0.1:PORT".
  unsigned short readListeningPort() {
    std::string line;
    char c = 0;
    pollfd ready{stdout_, POLLIN, 0};
    while (line.size() < 200 && ::poll(&ready, 1, kWaitSeconds * 1000) == 1 && ::read(stdout_, &c, 1) == 1 &&
           c != '\n') {
      line += c;
    }
    const std::string prefix = "listening on 127.0.0.1:";
    if (!line.starts_with(prefix)) {
      throw std::runtime_error("service did not start (first line \"" + line + "\"); run it by hand to see why");
    }
    return static_cast<unsigned short>(std::stoul(line.substr(prefix.size())));
  }

  pid_t pid_ = -1;
  int stdout_ = -1;
  unsigned short port_ = 0;
};

struct Response {
  std::string head;  // status line and headers, without the blank line
  std::string body;
  int readError = 0;  // errno of the read that ended the exchange; 0 for a clean close

  std::optional<std::size_t> contentLength() const {
    return header("Content-Length") ? std::optional(std::stoul(*header("Content-Length"))) : std::nullopt;
  }

  std::optional<std::string> header(const std::string& name) const {
    const std::string key = "\r\n" + name + ": ";
    const std::size_t at = head.find(key);
    if (at == std::string::npos) return std::nullopt;
    const std::size_t start = at + key.size();
    return head.substr(start, head.find("\r\n", start) - start);
  }
};

// One loopback connection whose reads give up after kWaitSeconds.
class Client {
 public:
  explicit Client(unsigned short port) : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
    const timeval timeout{kWaitSeconds, 0};
    ::setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
      throw std::runtime_error("cannot connect");
    }
  }
  ~Client() { ::close(socket_); }
  Client(const Client&) = delete;
  Client& operator=(const Client&) = delete;

  void send(std::string_view bytes) {
    ASSERT_EQ(::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL), static_cast<ssize_t>(bytes.size()));
  }

  // Everything until the server closes the connection (or the read fails).
  Response readToEnd() {
    std::string bytes;
    int error = 0;
    for (char buffer[65536];;) {
      const ssize_t n = ::recv(socket_, buffer, sizeof buffer, 0);
      if (n <= 0) {
        error = n == 0 ? 0 : errno;
        break;
      }
      bytes.append(buffer, static_cast<std::size_t>(n));
    }
    Response response = split(bytes);
    response.readError = error;
    return response;
  }

  // One response, its end found by its Content-Length; the connection stays usable.
  Response readOneResponse() {
    std::string bytes;
    std::optional<Response> response;
    while (!response || response->body.size() < response->contentLength().value_or(0)) {
      char buffer[4096];
      const ssize_t n = ::recv(socket_, buffer, sizeof buffer, 0);
      if (n <= 0) throw std::runtime_error("connection ended within a response");
      bytes.append(buffer, static_cast<std::size_t>(n));
      if (bytes.find("\r\n\r\n") != std::string::npos) response = split(bytes);
    }
    return *response;
  }

 private:
  static Response split(const std::string& bytes) {
    const std::size_t end = bytes.find("\r\n\r\n");
    if (end == std::string::npos) return {bytes, "", 0};
    return {bytes.substr(0, end), bytes.substr(end + 4), 0};
  }

  int socket_;
};

std::string get(const std::string& target, const std::string& versionAndHeaders = "HTTP/1.0\r\n") {
  return "GET " + target + " " + versionAndHeaders + "Host: 127.0.0.1\r\n\r\n";
}

const std::string kKnownTarget = "/wap_result.jsp?rand=20120517&id=xjkd&fromWeb=null&&postid=XJ1000000001";

class ServiceSocketTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    try {
      service_ = std::make_unique<ServiceProcess>(std::vector<std::string>{"--bar-limit", "0"});
    } catch (const std::exception& error) {
      startError_ = error.what();
    }
  }
  static void TearDownTestSuite() {
    if (!service_) return;
    EXPECT_EQ(service_->stop(), 0) << "exits cleanly on SIGTERM";
    service_.reset();
  }
  void SetUp() override { ASSERT_TRUE(service_) << startError_; }

  static Response exchange(const std::string& request) {
    Client client(service_->port());
    client.send(request);
    return client.readToEnd();
  }
  static inline std::unique_ptr<ServiceProcess> service_;
  static inline std::string startError_;
};

TEST_F(ServiceSocketTest, KnownNumberPageAsTheToolAsksForIt) {
  std::ifstream file(QUORVANE_DEMO_DIR "/parcels.txt", std::ios::binary);
  const ParcelData data = parseParcelData(std::string(std::istreambuf_iterator<char>(file), {})).data;
  const Parcel* parcel = findParcel(data, "xjkd", "XJ1000000001");
  ASSERT_NE(parcel, nullptr);

  const Response response = exchange(get(kKnownTarget));
  EXPECT_EQ(response.readError, 0);
  EXPECT_TRUE(response.head.starts_with("HTTP/1.1 200 OK\r\n")) << response.head;
  EXPECT_EQ(response.header("Content-Type"), "text/html; charset=utf-8");
  EXPECT_EQ(response.contentLength(), response.body.size());
  EXPECT_NE(response.body.find(kKnownMarker), std::string::npos);
  EXPECT_NE(response.body.find("<p style='color:#F21818;'>" + parcel->headline + "</p>\n<p>&middot;" +
                               parcel->entries.front().time + "<br /> "),
            std::string::npos);
}

TEST_F(ServiceSocketTest, KeepsTheConnectionOnlyWhenTheRequestAsksAndAddsNoConnectionHeaderOfItsOwn) {
  const struct {
    std::string versionAndHeaders;
    bool closed;
    std::optional<std::string> connectionHeader;
  } cases[] = {
      {"HTTP/1.0\r\n", true, std::nullopt},
      {"HTTP/1.0\r\nConnection: keep-alive\r\n", false, std::nullopt},
      {"HTTP/1.1\r\n", false, std::nullopt},
      {"HTTP/1.1\r\nConnection: close\r\n", true, "close"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.versionAndHeaders);
    Client client(service_->port());
    client.send(get(kKnownTarget, c.versionAndHeaders));
    const Response first = client.readOneResponse();
    EXPECT_TRUE(first.head.starts_with("HTTP/1.1 200 OK\r\n"));
    EXPECT_EQ(first.header("Connection"), c.connectionHeader);
    if (c.closed) {
      const Response rest = client.readToEnd();
      EXPECT_EQ(rest.head + rest.body, "");
      EXPECT_EQ(rest.readError, 0) << "closed normally";
    } else {
      client.send(get(kKnownTarget, c.versionAndHeaders));
      EXPECT_EQ(client.readOneResponse().body, first.body);
    }
  }
}

TEST_F(ServiceSocketTest, EchoRequestReturnsTheRequestHeadAsSent) {
  const std::string request =
      "GET /wap_result.jsp?id=xjkd&fault=echo-request&&postid=XJ1000000001 HTTP/1.1\r\n"
      "Host: 127.0.0.1:8370\r\n"
      "user-AGENT: QuorvaneTest/1.0\r\n"
      "Accept: */*\r\n"
      "X-Second: 2\r\n"
      "X-Second: again\r\n"
      "Connection: close\r\n"
      "\r\n";
  const Response response = exchange(request);
  EXPECT_EQ(response.header("Content-Type"), "text/plain; charset=utf-8");
  EXPECT_EQ(response.body, request);
}

TEST_F(ServiceSocketTest, ByteLevelFaults) {
  const auto markerBefore = [](const Response& r, std::size_t limit) {
    const std::size_t at = r.body.find(kKnownMarker);
    return at != std::string::npos && at + kKnownMarker.size() <= limit;
  };
  const struct {
    std::string fault;
    std::function<void(const Response&)> check;
  } cases[] = {
      {"short-length",
       [&](const Response& r) {
         EXPECT_EQ(r.readError, 0);
         EXPECT_EQ(r.contentLength(), r.body.size() / 2) << "announces half, sends all";
       }},
      {"long-length",
       [&](const Response& r) {
         EXPECT_EQ(r.readError, 0);
         EXPECT_EQ(r.contentLength(), r.body.size() + 1000);
       }},
      {"cut-in-char",
       [&](const Response& r) {
         EXPECT_EQ(r.readError, 0);
         EXPECT_LT(r.body.size(), r.contentLength().value_or(0));
         EXPECT_TRUE(markerBefore(r, r.body.size()));
         ASSERT_FALSE(r.body.empty());
         EXPECT_EQ(static_cast<unsigned char>(r.body.back()) & 0xC0, 0xC0) << "ends inside a character";
       }},
      {"reset-body", [&](const Response& r) { EXPECT_EQ(r.readError, ECONNRESET); }},
      {"empty-reply",
       [&](const Response& r) {
         EXPECT_EQ(r.readError, 0);
         EXPECT_EQ(r.head + r.body, "");
       }},
      {"huge-body",
       [&](const Response& r) {
         EXPECT_EQ(r.readError, 0);
         EXPECT_EQ(r.contentLength(), std::size_t{20} << 20);
         EXPECT_EQ(r.body.size(), std::size_t{20} << 20);
         EXPECT_FALSE(markerBefore(r, std::size_t{17} << 20));
         EXPECT_TRUE(markerBefore(r, r.body.size()));
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    c.check(exchange(get(kKnownTarget + "&fault=" + c.fault)));
  }
}

TEST_F(ServiceSocketTest, ServesManySequentialConnections) {
  for (int i = 0; i < 400; ++i) {
    const Response response = exchange(get(kKnownTarget));
    ASSERT_TRUE(response.head.starts_with("HTTP/1.1 200 OK\r\n")) << "connection " << i;
    ASSERT_EQ(response.readError, 0) << "connection " << i << " was not closed after the answer";
  }
}

TEST(ServiceProcessTest, BarsAClientOverTheLimit) {
  ServiceProcess service({"--bar-limit", "2", "--bar-window", "60"});
  const auto ask = [&] {
    Client client(service.port());
    client.send(get(kKnownTarget));
    return client.readToEnd().body;
  };
  EXPECT_NE(ask().find(kKnownMarker), std::string::npos);
  EXPECT_NE(ask().find(kKnownMarker), std::string::npos);
  EXPECT_NE(ask().find(kBarredMarker), std::string::npos);
}

TEST(ServiceProcessTest, StopsCleanlyOnSigtermWhileHoldingAConnectionOpen) {
  ServiceProcess service({"--bar-limit", "0"});
  Client held(service.port());
  held.send(get(kKnownTarget + "&fault=never-answer"));
  // A full exchange on a second connection lets the server take up the first request meanwhile.
  Client other(service.port());
  other.send(get(kKnownTarget));
  EXPECT_NE(other.readToEnd().body.find(kKnownMarker), std::string::npos);

  EXPECT_EQ(service.stop(), 0);
  const Response rest = held.readToEnd();
  EXPECT_EQ(rest.head + rest.body, "") << "nothing was ever answered";
}

// Out of descriptors, accept fails while the connection stays queued. A service
// that tries again at once spins a whole processor until a descriptor comes free.
TEST(ServiceProcessTest, OutOfDescriptorsTheServiceWaitsInsteadOfSpinning) {
  ServiceProcess service({"--bar-limit", "0"}, 32);
  std::vector<std::unique_ptr<Client>> clients;
  for (int i = 0; i < 48; ++i) clients.push_back(std::make_unique<Client>(service.port()));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));  // it accepts what it can, then meets the limit
  const auto before = service.cpuTime();
  std::this_thread::sleep_for(std::chrono::seconds(1));
  EXPECT_LT(service.cpuTime() - before, std::chrono::milliseconds(300)) << "the accept loop spins";

  clients.clear();  // the descriptors come free: the service serves again
  Client client(service.port());
  client.send(get(kKnownTarget));
  EXPECT_NE(client.readToEnd().body.find(kKnownMarker), std::string::npos);
  EXPECT_EQ(service.stop(), 0);
}

}  // namespace
}  // namespace quorvane::service
