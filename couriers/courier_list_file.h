#pragma once
// The courier list file beside the program, as the start-up reads it.

#include <string>

namespace quorvane {

class CourierListFile {
 public:
  virtual ~CourierListFile() = default;
  // True when a file or a folder of that name exists.
  virtual bool exists() const = 0;
  // Its bytes; empty when it cannot be read (a folder, a file locked against readers).
  virtual std::string contents() const = 0;
};

}  // namespace quorvane
