#pragma once

#include <string>

#include "couriers/courier_list_file.h"

namespace quorvane {

// The courier list file at a full path (never a bare name, which the profile
// API would look up in the Windows folder).
class WindowsCourierListFile final : public CourierListFile {
 public:
  explicit WindowsCourierListFile(std::wstring path) : path_(std::move(path)) {}
  bool exists() const override;
  std::string contents() const override;

 private:
  std::wstring path_;
};

// Reads a whole file, sharing it with readers and writers; empty when it cannot be read.
std::string readWholeFile(const std::wstring& path);

}  // namespace quorvane
