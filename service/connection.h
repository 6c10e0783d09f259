#pragma once
// Serves one accepted connection on the calling thread: reads requests, answers
// each as chooseReply and planDelivery say, and ends the connection as planned.

#include <boost/asio/ip/tcp.hpp>

#include "service/bar_window.h"
#include "service/connection_registry.h"
#include "service/parcel_data.h"

namespace quorvane::service {

struct ServiceContext {
  const ParcelData& data;
  BarWindow& bar;
};

// Returns with the socket closed (or reset); ticket no longer refers to it then.
void serveConnection(boost::asio::ip::tcp::socket& socket, ConnectionTicket& ticket, const ServiceContext& context);

}  // namespace quorvane::service
