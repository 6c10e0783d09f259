#pragma once
// Deliberately broken answers, for testing how a client copes with them. A query
// selects one with the key "fault=NAME", or with the company code "fault-NAME"
// (so a courier entry of a client's own courier list can select it).

#include <optional>
#include <string>
#include <string_view>

#include "service/request_target.h"

namespace quorvane::service {

enum class Fault {
  kStatus500,        // status 500, a page without any marker
  kNoLength,         // no Content-Length; the end of the body is the connection's close
  kShortLength,      // Content-Length half the body; the whole body is sent, then close
  kLongLength,       // Content-Length 1000 more than the body; body, then close
  kCutBody,          // full Content-Length, only the body up to just after its marker sent, then close
  kCutInChar,        // as kCutBody, but cut inside a multi-byte character after the marker
  kResetBody,        // as kCutBody, then the connection is reset instead of closed
  kNotUtf8,          // the known-result page with bytes that are not UTF-8 (GBK text, a lone 0xFF)
  kNoGbkChar,        // the normal page with a character outside GBK (U+1F4E6) in the headline
  kNulBeforeMarker,  // the no-information page with a NUL byte just before its marker
  kRedirect,         // 302 to the same query without the fault
  kNeverAnswer,      // the request is read, nothing is sent, the connection held open
  kHugeBody,         // 20 MiB body whose only marker lies after the first 17 MiB
  kSlowChunks,       // the normal answer sent in small pieces with pauses
  kEmptyReply,       // the connection closed without a byte sent
  kEchoRequest,      // text/plain: the request line and headers as received
  kLateClose,        // the normal answer, then the connection closed only after a pause, as busy servers do
  kDrip,             // the head at once, then the body one byte at a time, a pause before each (key "pace")
};

struct FaultChoice {
  Fault fault;
  bool byCourierCode;  // selected through "id=fault-NAME" rather than "fault=NAME"
};

std::optional<Fault> faultFromName(std::string_view name);
std::string_view faultName(Fault fault);
// Every fault name, separated by ", ", for the help text.
std::string faultNameList();

// The key "fault" wins over the company code; an unknown name selects nothing.
std::optional<FaultChoice> chooseFault(const RequestTarget& target);

}  // namespace quorvane::service
