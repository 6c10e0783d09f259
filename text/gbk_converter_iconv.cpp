#include <iconv.h>

#include <cerrno>

#include "text/gbk_converter.h"
#include "text/gbk_text.h"
#include "text/utf8.h"

namespace quorvane {
namespace {

// Strict converter: neither //IGNORE nor //TRANSLIT, so every problem is seen.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
  ~Iconv() {
    if (ok()) iconv_close(handle_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return handle_; }

 private:
  iconv_t handle_;
};

}  // namespace

std::optional<std::string> convertUtf8ToGbk(std::string_view utf8) {
  Iconv converter("GBK", "UTF-8");
  if (!converter.ok()) return std::nullopt;

  // GBK is never longer than UTF-8 for the same text, and "?" replaces at least
  // two bytes, so the input size always suffices; the loop still grows on E2BIG.
  std::string out(utf8.size() + 16, '\0');
  std::size_t written = 0;
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  while (inLeft > 0) {
    char* outPtr = out.data() + written;
    std::size_t outLeft = out.size() - written;
    const std::size_t result = iconv(converter.get(), &in, &inLeft, &outPtr, &outLeft);
    written = out.size() - outLeft;
    if (result != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      out.resize(out.size() + utf8.size() / 2 + 128);
      continue;
    }
    if (errno != EILSEQ) return std::nullopt;  // EINVAL: cut off inside a character
    // EILSEQ means either malformed input or a character without a GBK form.
    const std::size_t offset = static_cast<std::size_t>(in - utf8.data());
    const std::size_t length = utf8CharacterLength(utf8, offset);
    if (length == 0) return std::nullopt;
    if (written == out.size()) out.resize(out.size() + 128);
    out[written++] = '?';
    in += length;
    inLeft -= length;
  }
  out.resize(written);
  return out;
}

std::string convertGbkToUtf8(std::string_view gbk) {
  Iconv converter("UTF-8", "GBK");
  if (!converter.ok()) return std::string(gbk.size(), '?');

  std::string out;
  char* in = const_cast<char*>(gbk.data());
  std::size_t inLeft = gbk.size();
  char buffer[4096];
  while (inLeft > 0) {
    char* outPtr = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t result = iconv(converter.get(), &in, &inLeft, &outPtr, &outLeft);
    out.append(buffer, sizeof buffer - outLeft);
    if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    // EILSEQ or EINVAL: the character here is not GBK; step over it as the GBK helpers would.
    const std::size_t offset = static_cast<std::size_t>(in - gbk.data());
    const std::size_t length = gbk::nextCharacter(gbk, offset) - offset;
    out.push_back('?');
    in += length;
    inLeft -= length;
  }
  return out;
}

}  // namespace quorvane
