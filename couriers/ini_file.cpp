#include "couriers/ini_file.h"

#include <algorithm>

#include "text/gbk_text.h"

// Windows converts the file to UTF-16, parses it there and converts the answer
// back. For valid GBK that round trip changes no byte, so the same rules run on
// the bytes directly, counting a double-byte character as the one UTF-16 unit
// it becomes. Every byte the syntax looks for is below 0x40, the lowest trail
// byte, except ']' (0x5D) and the letters that are folded when names are
// compared; those two places step over double-byte characters.

namespace quorvane {
namespace {

// Code page 936 starts a double-byte character with 0x81..0xFE; 0x80 (the euro
// sign) and 0xFF stand alone.
constexpr bool startsDoubleByte(char byte) {
  const auto value = static_cast<unsigned char>(byte);
  return value >= 0x81 && value <= 0xFE;
}

std::size_t characterEnd(std::string_view text, std::size_t pos) {
  return std::min(pos + (startsDoubleByte(text[pos]) ? 2 : 1), text.size());
}

std::size_t countCharacters(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); pos = characterEnd(text, pos)) ++count;
  return count;
}

// The first count characters of text (all of it when it has fewer).
std::string_view firstCharacters(std::string_view text, std::size_t count) {
  std::size_t pos = 0;
  for (; pos < text.size() && count > 0; --count) pos = characterEnd(text, pos);
  return text.substr(0, pos);
}

// The longest run of whole characters at the start of text that fits in maxBytes.
std::string_view firstBytesWhole(std::string_view text, std::size_t maxBytes) {
  std::size_t pos = 0;
  while (pos < text.size() && characterEnd(text, pos) <= maxBytes) pos = characterEnd(text, pos);
  return text.substr(0, pos);
}

// Tab, line feed, vertical tab, form feed, carriage return, space and ^Z (an
// old DOS end-of-file mark).
constexpr bool isBlank(char c) { return (c >= '\t' && c <= '\r') || c == ' ' || c == '\x1A'; }

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The API handles names and values as C strings, so a NUL byte ends them.
std::string_view uptoNul(std::string_view text) { return text.substr(0, text.find('\0')); }

// Equal regardless of ASCII case; a double-byte character must be equal byte
// for byte, even when its trail byte looks like a letter.
bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t pos = 0; pos < a.size(); pos = characterEnd(a, pos)) {
    if (startsDoubleByte(a[pos])) {
      if (a.substr(pos, 2) != b.substr(pos, 2)) return false;
    } else if (gbk::asciiLower(a[pos]) != gbk::asciiLower(b[pos])) {
      return false;
    }
  }
  return true;
}

// Position of the last ']' of a line, or npos.
std::size_t lastClosingBracket(std::string_view line) {
  std::size_t last = std::string_view::npos;
  for (std::size_t pos = 0; pos < line.size(); pos = characterEnd(line, pos)) {
    if (line[pos] == ']') last = pos;
  }
  return last;
}

// Calls visit(line) for each line with its surrounding blanks removed, empty
// lines left out, until visit returns false. Lines end at CR or LF.
template <typename Visit>
void forEachLine(std::string_view file, Visit visit) {
  while (!file.empty()) {
    const std::size_t end = std::min(file.find_first_of("\r\n"), file.size());
    const std::string_view line = trimBlanks(file.substr(0, end));
    file.remove_prefix(std::min(end + 1, file.size()));
    if (!line.empty() && !visit(line)) return;
  }
}

// The name as a lookup key: ASCII letters of single-byte characters in lower
// case, double-byte characters as they are. Two names are the same for
// sameName exactly when their folded forms are equal byte for byte.
std::string foldedName(std::string_view name) {
  std::string folded(name);
  for (std::size_t pos = 0; pos < folded.size(); pos = characterEnd(folded, pos)) {
    if (!startsDoubleByte(folded[pos])) folded[pos] = gbk::asciiLower(folded[pos]);
  }
  return folded;
}

// Calls visit(line) for each key line of the first section named section.
// Lines before the first section header form a section whose name is empty. A
// line that starts with '[' but has no ']' is an ordinary key line, and text
// after the ']' of a header is ignored. ';' and '#' mean nothing here: a
// comment line is a key whose name begins with them.
template <typename Visit>
void forEachKeyLine(std::string_view file, std::string_view section, Visit visit) {
  bool inSection = section.empty();
  forEachLine(file, [&](std::string_view line) {
    const std::size_t closing = line.front() == '[' ? lastClosingBracket(line) : std::string_view::npos;
    if (closing != std::string_view::npos) {
      if (inSection) return false;  // only the first section of that name is searched
      inSection = sameName(uptoNul(trimBlanks(line.substr(1, closing - 1))), section);
      return true;
    }
    if (inSection) visit(line);
    return true;
  });
}

// The API drops trailing spaces (only 0x20) from the default, yet always keeps
// its first character.
std::string_view trimDefault(std::string_view defaultValue) {
  defaultValue = uptoNul(defaultValue);
  while (defaultValue.size() > 1 && defaultValue.back() == ' ') defaultValue.remove_suffix(1);
  return defaultValue;
}

// How the chosen text lands in a buffer of bufferSize bytes. Windows first
// copies it into bufferSize UTF-16 units: at most bufferSize-1 characters, and
// one pair of matching quotes around it is dropped. The closing quote is
// dropped as the last copied character only when bufferSize is at least the
// character count after the opening quote, so when the two are equal the cut
// has already removed that quote and the last real character goes instead.
// Then the characters are converted into bufferSize-1 bytes; a double-byte
// character that no longer fits is left out whole, together with all after it.
// (Windows leaves the spare byte as the caller's buffer had it; the result here
// is what a zero-filled buffer shows.)
std::string fitToBuffer(std::string_view text, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  const std::size_t room = bufferSize - 1;
  const bool quoted = text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front();
  if (quoted) text.remove_prefix(1);
  const std::size_t characters = countCharacters(text);
  std::string_view copied = firstCharacters(text, room);
  if (quoted && bufferSize >= characters && !copied.empty()) {
    copied = firstCharacters(copied, countCharacters(copied) - 1);
  }
  return std::string(firstBytesWhole(copied, room));
}

}  // namespace

ProfileSection::ProfileSection(std::string_view fileBytes, std::string_view section) {
  forEachKeyLine(fileBytes, trimBlanks(uptoNul(section)), [this](std::string_view line) {
    const std::size_t equals = line.find('=');
    std::optional<std::string> value;
    if (equals != std::string_view::npos) value = uptoNul(trimBlanks(line.substr(equals + 1)));
    // The first line of a key wins, with or without '='.
    values_.try_emplace(foldedName(uptoNul(trimBlanks(line.substr(0, equals)))), std::move(value));
  });
}

std::string ProfileSection::readString(std::string_view key, std::string_view defaultValue,
                                       std::size_t bufferSize) const {
  const auto found = values_.find(foldedName(trimBlanks(uptoNul(key))));
  const bool hasValue = found != values_.end() && found->second;
  return fitToBuffer(hasValue ? std::string_view(*found->second) : trimDefault(defaultValue), bufferSize);
}

std::string readProfileString(std::string_view fileBytes, std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::size_t bufferSize) {
  return ProfileSection(fileBytes, section).readString(key, defaultValue, bufferSize);
}

}  // namespace quorvane
