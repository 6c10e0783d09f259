#pragma once
// COM on the calling thread, apartment-threaded, for as long as the object
// lives: the shell's ShellExecuteW may use COM and asks its callers for this.

#include <objbase.h>

namespace quorvane {

class ComApartment {
 public:
  ComApartment()
      : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ~ComApartment() {
    if (initialized_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialized_;
};

}  // namespace quorvane
