#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The answer body (UTF-8) as GBK page text, ending before the first NUL byte.
// Empty when the body is empty, not UTF-8, or cut inside a character.
std::string decodePage(std::string_view body);

}  // namespace quorvane
