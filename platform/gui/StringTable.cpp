// String table: the text file is included as a raw string literal and parsed once.
#include "platform/gui/StringTable.h"

#include <charconv>

namespace vt {

namespace {

constexpr char kTableText[] =
#include "platform/gui/resources/strings.txt"
    ;

std::string Unescape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char next = text[++i];
    out += next == 'n' ? '\n' : next == 't' ? '\t' : next;
  }
  return out;
}

}  // namespace

std::unordered_map<uint32_t, std::string> ParseStringTable(std::string_view table) {
  std::unordered_map<uint32_t, std::string> strings;
  while (!table.empty()) {
    const std::size_t end = table.find('\n');
    std::string_view line = table.substr(0, end);
    table = end == std::string_view::npos ? std::string_view() : table.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) continue;
    uint32_t id = 0;
    const auto [ptr, ec] = std::from_chars(line.data(), line.data() + tab, id);
    if (ec != std::errc() || ptr != line.data() + tab) continue;
    strings[id] = Unescape(line.substr(tab + 1));
  }
  return strings;
}

std::string LoadString(uint32_t id) {
  static const auto table = ParseStringTable(kTableText);
  auto it = table.find(id);
  return it == table.end() ? std::string() : it->second;
}

}  // namespace vt
