#include "service/access_log.h"

#include "service/request_target.h"

namespace quorvane::service {
namespace {

std::string shown(const std::optional<std::string>& value) { return value ? percentEncode(*value) : "-"; }

}  // namespace

std::string formatAccessLine(std::string_view clientAddress, std::string_view requestLine, const Reply& reply) {
  std::string line(clientAddress);
  line += " \"" + std::string(requestLine) + "\" " + std::to_string(reply.status) + " " + std::string(reply.label);
  line += " id=" + shown(reply.id) + " postid=" + shown(reply.postid);
  line += " fault=" + std::string(reply.fault ? faultName(*reply.fault) : "-");
  return line;
}

}  // namespace quorvane::service
