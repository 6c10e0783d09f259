#pragma once
// What the service answers to one request, before any byte is sent: status,
// headers and body, with the fault mode that then shapes how it is delivered.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "service/bar_window.h"
#include "service/fault_mode.h"
#include "service/parcel_data.h"

namespace quorvane::service {

inline constexpr std::string_view kQueryPath = "/wap_result.jsp";

struct IncomingRequest {
  std::string clientAddress;
  std::string target;
  std::string headText;  // request line and headers as received, CR LF ended, for echo-request
};

struct Reply {
  int status = 200;
  std::string contentType = "text/html; charset=utf-8";
  std::string body;
  std::string location;           // of a redirect
  std::string_view marker;        // the marker sentence in body; empty if it holds none
  std::string_view label;         // what kind of answer this is, for the log: known, unknown, ...
  std::optional<Fault> fault;     // the fault mode in effect
  std::optional<std::string> id;  // decoded query values, for the log
  std::optional<std::string> postid;
  std::chrono::milliseconds dripPace{0};  // of the drip fault: the pause before each byte of the body
};

// The drip's pace: the key "pace" in milliseconds, from 1 to kMaxDripPace
// (so a dripping connection still notices a shutdown within the service's
// grace); absent or not such a number: kDefaultDripPace.
inline constexpr std::chrono::milliseconds kDefaultDripPace{1000};
inline constexpr std::chrono::milliseconds kMaxDripPace{4000};

// Barring is decided first and counts every query; a barred query gets the
// barred page as it is, whatever fault it asks for. Paths other than the query
// page get 404 and are not counted.
Reply chooseReply(const ParcelData& data, BarWindow& bar, const IncomingRequest& request,
                  BarWindow::Clock::time_point now);

}  // namespace quorvane::service
