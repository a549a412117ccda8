// Texts placed between the apostrophes of an SQL statement: every apostrophe doubled, so a name
// such as O'Brien.DAE is read as itself and never ends the literal early.
#pragma once
#include <string>
#include <string_view>

namespace vt {

inline std::string DoubleApostrophes(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (char c : text) {
    if (c == '\'') out += '\'';
    out += c;
  }
  return out;
}

}  // namespace vt
