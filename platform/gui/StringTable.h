// The program's string table, compiled in from resources/strings.txt.
#pragma once
#include <cstdint>
#include <string>

namespace vt {

// The text of a string id; "" when the table has no such id.
std::string LoadString(uint32_t id);

}  // namespace vt
