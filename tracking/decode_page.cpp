#include "tracking/decode_page.h"

#include "text/gbk_converter.h"

namespace quorvane {

std::string decodePage(std::string_view body) {
  std::optional<std::string> text = convertUtf8ToGbk(body);
  if (!text) return {};
  if (const std::size_t nul = text->find('\0'); nul != std::string::npos) text->resize(nul);
  return std::move(*text);
}

}  // namespace quorvane
