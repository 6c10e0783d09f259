#include "service/request_target.h"

#include <optional>

namespace quorvane::service {
namespace {

std::optional<int> hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return std::nullopt;
}

bool isUnreserved(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

QueryPair parsePair(std::string_view raw) {
  const std::size_t equals = raw.find('=');
  const std::string_view key = raw.substr(0, equals);
  const std::string_view value = equals == std::string_view::npos ? std::string_view() : raw.substr(equals + 1);
  return {std::string(raw), percentDecode(key), percentDecode(value)};
}

}  // namespace

std::string percentDecode(std::string_view text) {
  std::string decoded;
  decoded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) && hexValue(text[i + 2])) {
      decoded += static_cast<char>(*hexValue(text[i + 1]) * 16 + *hexValue(text[i + 2]));
      i += 2;
    } else {
      decoded += text[i];
    }
  }
  return decoded;
}

std::string percentEncode(std::string_view text) {
  constexpr std::string_view kHex = "0123456789ABCDEF";
  std::string encoded;
  for (const char c : text) {
    if (isUnreserved(c)) {
      encoded += c;
    } else {
      const auto byte = static_cast<unsigned char>(c);
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    }
  }
  return encoded;
}

RequestTarget parseRequestTarget(std::string_view target) {
  target = target.substr(0, target.find('#'));
  RequestTarget parsed;
  const std::size_t question = target.find('?');
  parsed.path = std::string(target.substr(0, question));
  if (question == std::string_view::npos) return parsed;
  std::string_view query = target.substr(question + 1);
  for (;;) {
    const std::size_t amp = query.find('&');
    parsed.query.push_back(parsePair(query.substr(0, amp)));
    if (amp == std::string_view::npos) break;
    query.remove_prefix(amp + 1);
  }
  return parsed;
}

const std::string* findQueryValue(const RequestTarget& target, std::string_view key) {
  for (const QueryPair& pair : target.query) {
    if (pair.key == key) return &pair.value;
  }
  return nullptr;
}

std::string formatRequestTarget(const RequestTarget& target) {
  std::string text = target.path;
  for (std::size_t i = 0; i < target.query.size(); ++i) {
    text += i == 0 ? '?' : '&';
    text += target.query[i].raw;
  }
  return text;
}

}  // namespace quorvane::service
