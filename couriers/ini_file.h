#pragma once
// Reads one value out of the bytes of an INI file with the results that
// GetPrivateProfileStringA gives on a Chinese (code page 936) system, without
// any code-page machinery. The bytes are taken as GBK text; a file that starts
// with a byte order mark (which Windows would read as UTF-8 or UTF-16) is not
// supported.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace quorvane {

// The value of key in the first section named section, or defaultValue when
// the section or key is missing or the key's line has no '='. Names match
// regardless of ASCII case, one pair of matching quotes around the text is
// dropped, and the result is cut to fit a buffer of bufferSize bytes with its
// terminating NUL, never inside a double-byte character.
std::string readProfileString(std::string_view fileBytes, std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::size_t bufferSize);

// One section of an INI file read in a single pass, so that any number of keys
// is answered without reading the file again: readString gives what
// readProfileString gives for the same file and section.
class ProfileSection {
 public:
  ProfileSection(std::string_view fileBytes, std::string_view section);
  std::string readString(std::string_view key, std::string_view defaultValue, std::size_t bufferSize) const;

 private:
  // By name folded to lower case, the text after '=' of the first line of
  // each key; none when that line has no '='.
  std::unordered_map<std::string, std::optional<std::string>> values_;
};

}  // namespace quorvane
