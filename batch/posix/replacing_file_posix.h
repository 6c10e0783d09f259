#pragma once
// Replacing files on POSIX systems: mkstemp beside the target, fsync, rename.

#include <memory>
#include <string>

#include "batch/replacing_file.h"

namespace quorvane {

// nullptr when no temporary file can be made in the target's folder (errno tells why).
std::unique_ptr<ReplacingFile> createReplacingFile(const std::string& targetPath);

}  // namespace quorvane
