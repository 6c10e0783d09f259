#include <iconv.h>

#include <cerrno>

#include "text/gbk_converter.h"
#include "text/utf8.h"

namespace quorvane {
namespace {

// Strict converter: neither //IGNORE nor //TRANSLIT, so every problem is seen.
class Iconv {
 public:
  Iconv() : handle_(iconv_open("GBK", "UTF-8")) {}
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
  Iconv converter;
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

}  // namespace quorvane
