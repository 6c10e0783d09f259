#pragma once
// The request target ("/path?query") split into its path and its query pairs.

#include <string>
#include <string_view>
#include <vector>

namespace quorvane::service {

struct QueryPair {
  std::string raw;  // the pair as received, between two "&"; kept to rebuild the query
  std::string key;  // percent-decoded
  std::string value;
};

struct RequestTarget {
  std::string path;
  // Every "&"-separated piece in order, empty ones included ("a=1&&b=2" has three).
  std::vector<QueryPair> query;
};

// Decodes each %XX (hex, either case) to its byte. A "%" not followed by two hex
// digits stays as it is, and "+" stays a plus.
std::string percentDecode(std::string_view text);

// Encodes every byte outside A-Z a-z 0-9 - . _ ~ as %XX (upper-case hex).
std::string percentEncode(std::string_view text);

RequestTarget parseRequestTarget(std::string_view target);

// The decoded value of the first pair with this key; nullptr if there is none.
const std::string* findQueryValue(const RequestTarget& target, std::string_view key);

// The target text again: path, then "?" and the raw pairs joined by "&" (no "?" without pairs).
std::string formatRequestTarget(const RequestTarget& target);

}  // namespace quorvane::service
