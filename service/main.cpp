// quorvane-service: the stand-in tracking service that the tool queries in tests
// and in the demo. See optionsHelp() for the command line.

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/signal_set.hpp>
#include <boost/asio/steady_timer.hpp>
#include <csignal>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "service/bar_window.h"
#include "service/connection.h"
#include "service/connection_registry.h"
#include "service/connection_threads.h"
#include "service/options.h"
#include "service/parcel_data.h"

namespace {

namespace asio = boost::asio;
using asio::ip::tcp;
using namespace quorvane::service;

constexpr std::chrono::seconds kShutdownGrace{5};
constexpr std::chrono::milliseconds kAcceptRetryPause{100};

void complain(const std::string& message) { std::cerr << "quorvane-service: " << message << '\n'; }

std::optional<ParcelData> loadParcelData(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  if (!file) {
    complain("cannot read " + path);
    return std::nullopt;
  }
  ParcelDataParse parse = parseParcelData(text.str());
  for (const std::string& error : parse.errors) complain(path + ": " + error);
  if (!parse.errors.empty()) return std::nullopt;
  return std::move(parse.data);
}

bool startListening(tcp::acceptor& acceptor, const tcp::endpoint& endpoint, boost::system::error_code& ec) {
  acceptor.open(endpoint.protocol(), ec);
  if (!ec) acceptor.set_option(tcp::acceptor::reuse_address(true), ec);
  if (!ec) acceptor.bind(endpoint, ec);
  if (!ec) acceptor.listen(asio::socket_base::max_listen_connections, ec);
  return !ec;
}

// What the accept loop works with; all of it lives in main.
struct Listener {
  tcp::acceptor& acceptor;
  asio::steady_timer& retryTimer;
  ConnectionRegistry& registry;
  ConnectionThreads& threads;
  const ServiceContext& context;
};

void acceptNext(Listener& listener);

// A failed accept (out of descriptors, say) leaves the connection queued, so
// the next accept would fail at once: pause first, or the loop would spin.
void acceptAfterPause(Listener& listener) {
  listener.retryTimer.expires_after(kAcceptRetryPause);
  listener.retryTimer.async_wait([&listener](const boost::system::error_code& ec) {
    if (!ec && listener.acceptor.is_open()) acceptNext(listener);
  });
}

// Accepts connections until the acceptor is closed; each is served on a thread of its own.
void acceptNext(Listener& listener) {
  listener.acceptor.async_accept([&listener](const boost::system::error_code& ec, tcp::socket socket) {
    if (ec == asio::error::operation_aborted || !listener.acceptor.is_open()) return;
    if (ec) {
      acceptAfterPause(listener);
      return;
    }
    if (auto ticket = listener.registry.enter(socket.native_handle())) {
      try {
        listener.threads.start([socket = std::move(socket), ticket = std::move(*ticket),
                                &context = listener.context]() mutable { serveConnection(socket, ticket, context); });
      } catch (const std::system_error& error) {
        complain(std::string("cannot start a connection thread: ") + error.what());
      }
    }
    acceptNext(listener);
  });
}

}  // namespace

int main(int argc, char** argv) {
  const ParsedOptions parsed = parseOptions(std::vector<std::string_view>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    complain(parsed.error + " (see --help)");
    return 2;
  }
  if (parsed.showHelp) {
    std::cout << optionsHelp();
    return 0;
  }
  const Options& options = parsed.options;
  const std::optional<ParcelData> data = loadParcelData(options.dataFile);
  if (!data) return 1;

  std::signal(SIGPIPE, SIG_IGN);  // a client gone mid-answer must fail the write, not end the service
  asio::io_context io;
  boost::system::error_code ec;
  const asio::ip::address address = asio::ip::make_address(options.listenAddress, ec);
  if (ec) {
    complain("bad listen address " + options.listenAddress);
    return 2;
  }
  tcp::acceptor acceptor(io);
  const tcp::endpoint endpoint(address, static_cast<unsigned short>(options.port));
  if (!startListening(acceptor, endpoint, ec)) {
    complain("cannot listen on " + options.listenAddress + ":" + std::to_string(options.port) + ": " + ec.message());
    return 1;
  }

  BarWindow bar(options.barLimit, std::chrono::seconds(options.barWindowSeconds));
  ConnectionRegistry registry;
  ConnectionThreads threads;
  const ServiceContext context{*data, bar};
  asio::steady_timer retryTimer(io);
  Listener listener{acceptor, retryTimer, registry, threads, context};
  asio::signal_set signals(io, SIGINT, SIGTERM);
  signals.async_wait([&](const boost::system::error_code&, int) {
    acceptor.close();
    io.stop();
  });
  acceptNext(listener);

  const tcp::endpoint bound = acceptor.local_endpoint();
  std::cout << "listening on " << bound.address().to_string() << ":" << bound.port() << std::endl;
  io.run();

  if (!registry.shutdownAll(kShutdownGrace)) {
    complain("connections still open at exit");
    std::_Exit(1);  // their threads still use what main owns: leave without running destructors
  }
  threads.joinAll();  // each has left the registry; the rest of its end is brief
  return 0;
}
