#pragma once
// Replacing files on Windows: a temporary file beside the target, flushed,
// then moved over the target with MoveFileExW (replace, write through).

#include <memory>
#include <string>

#include "batch/replacing_file.h"

namespace quorvane {

// nullptr when the target cannot be written (it is in use without write
// sharing, a folder, read-only) or no temporary file can be made beside it.
std::unique_ptr<ReplacingFile> createReplacingFile(const std::wstring& targetPath);

}  // namespace quorvane
