#include "couriers/win/courier_list_file_win.h"

#include "text/win/unique_handle.h"

namespace quorvane {

bool WindowsCourierListFile::exists() const { return GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string WindowsCourierListFile::contents() const { return readWholeFile(path_); }

std::string readWholeFile(const std::wstring& path) {
  UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return {};  // missing, a folder, or locked against readers
  std::string bytes;
  char buffer[64 * 1024];
  DWORD read = 0;
  while (ReadFile(file.get(), buffer, sizeof(buffer), &read, nullptr) && read > 0) bytes.append(buffer, read);
  return bytes;
}

}  // namespace quorvane
