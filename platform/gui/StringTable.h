// The program's string table, compiled in from resources/strings.txt.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vt {

// The text of a string id; "" when the table has no such id.
std::string LoadString(uint32_t id);

// The table's text format: one entry a line, decimal id, a tab, the text (\t, \n and \\ are
// escapes); '#' starts a comment line; malformed lines are skipped; a later entry of an id
// replaces an earlier one. Line ends may be LF or CR LF.
std::unordered_map<uint32_t, std::string> ParseStringTable(std::string_view table);

}  // namespace vt
