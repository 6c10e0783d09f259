#pragma once
// What a run has done so far: numbers finished, how many there are when
// known, and how many ended in each status.

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "tracking/status_text.h"

namespace quorvane::cli {

struct Tally {
  std::size_t done = 0;
  std::optional<std::size_t> total;  // known when every input was a file, counted before the run
  std::vector<std::pair<StatusText, std::size_t>> perStatus;  // in the order the statuses first came

  void add(StatusText status) {
    ++done;
    for (auto& [text, count] : perStatus) {
      if (text == status) {
        ++count;
        return;
      }
    }
    perStatus.emplace_back(status, 1);
  }

  // Whether a number went without an answer: the query failed or the service barred the address.
  bool anyUnanswered() const {
    for (const auto& [text, count] : perStatus) {
      if (text == status::kQueryFailed || text == status::kAddressBarred) return true;
    }
    return false;
  }
};

}  // namespace quorvane::cli
