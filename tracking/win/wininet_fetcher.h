#pragma once
// Fetching pages with WinINet. One client instance serves the whole process.

#include <windows.h>
#include <wininet.h>

#include <cstddef>

#include "tracking/fetch_request.h"
#include "tracking/page_fetcher.h"

namespace quorvane {

// Owns one WinINet handle and closes it when it goes.
class InternetHandle {
 public:
  InternetHandle() = default;
  explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
  ~InternetHandle() { reset(); }
  InternetHandle(InternetHandle&& other) noexcept : handle_(other.release()) {}
  InternetHandle& operator=(InternetHandle&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = other.release();
    }
    return *this;
  }
  InternetHandle(const InternetHandle&) = delete;
  InternetHandle& operator=(const InternetHandle&) = delete;

  HINTERNET get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  HINTERNET release() {
    HINTERNET handle = handle_;
    handle_ = nullptr;
    return handle;
  }
  void reset() {
    if (handle_) InternetCloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  HINTERNET handle_ = nullptr;
};

class WinInetFetcher final : public PageFetcher {
 public:
  explicit WinInetFetcher(FetchLimits limits = {}) : limits_(limits) {}
  std::string fetchPage(std::string_view url) override;

 private:
  bool openSession();

  FetchLimits limits_;
  InternetHandle session_;  // opened at the first fetch, kept to the end of the process
};

}  // namespace quorvane
