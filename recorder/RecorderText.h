// Recorder texts: 8-bit, NUL-terminated within fixed-size fields. On reading, the recorder's
// '^' becomes the degree sign when the system language is one the recorders know (else a
// blank), the text ends at NUL, CR or LF, trailing blanks are removed, and the bytes are decoded
// from the system's 8-bit code page into UTF-8 (the degree sign is U+00B0 whatever the page).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// The mapped text of a field of `size` bytes.
std::string MapRecorderText(const uint8_t* field, std::size_t size);
// Only cut at the first NUL and decoded; no symbol or blank handling.
std::string DecodeRecorderText(const uint8_t* field, std::size_t size);
// Whether the system language is one of the eight the recorders know.
bool IsRecorderLanguageKnown();
