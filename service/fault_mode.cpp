#include "service/fault_mode.h"

#include <array>
#include <utility>

namespace quorvane::service {
namespace {

constexpr std::string_view kCourierCodePrefix = "fault-";

constexpr std::array<std::pair<Fault, std::string_view>, 18> kFaultNames = {{
    {Fault::kStatus500, "status-500"},
    {Fault::kNoLength, "no-length"},
    {Fault::kShortLength, "short-length"},
    {Fault::kLongLength, "long-length"},
    {Fault::kCutBody, "cut-body"},
    {Fault::kCutInChar, "cut-in-char"},
    {Fault::kResetBody, "reset-body"},
    {Fault::kNotUtf8, "not-utf8"},
    {Fault::kNoGbkChar, "no-gbk-char"},
    {Fault::kNulBeforeMarker, "nul-before-marker"},
    {Fault::kRedirect, "redirect"},
    {Fault::kNeverAnswer, "never-answer"},
    {Fault::kHugeBody, "huge-body"},
    {Fault::kSlowChunks, "slow-chunks"},
    {Fault::kEmptyReply, "empty-reply"},
    {Fault::kEchoRequest, "echo-request"},
    {Fault::kLateClose, "late-close"},
    {Fault::kDrip, "drip"},
}};

}  // namespace

std::optional<Fault> faultFromName(std::string_view name) {
  for (const auto& [fault, faultText] : kFaultNames) {
    if (faultText == name) return fault;
  }
  return std::nullopt;
}

std::string_view faultName(Fault fault) {
  for (const auto& [candidate, name] : kFaultNames) {
    if (candidate == fault) return name;
  }
  return "?";
}

std::string faultNameList() {
  std::string list;
  for (const auto& entry : kFaultNames) {
    if (!list.empty()) list += ", ";
    list += entry.second;
  }
  return list;
}

std::optional<FaultChoice> chooseFault(const RequestTarget& target) {
  if (const std::string* name = findQueryValue(target, "fault")) {
    if (const auto fault = faultFromName(*name)) return FaultChoice{*fault, false};
    return std::nullopt;
  }
  const std::string* id = findQueryValue(target, "id");
  if (!id || !id->starts_with(kCourierCodePrefix)) return std::nullopt;
  if (const auto fault = faultFromName(std::string_view(*id).substr(kCourierCodePrefix.size()))) {
    return FaultChoice{*fault, true};
  }
  return std::nullopt;
}

}  // namespace quorvane::service
