// Little-endian field writers and readers over byte buffers, for the records the trend display
// exchanges with the graph window (channel, axis and mark records): every record is written and
// read field by field at its offsets, never by copying a struct. Text fields are cut to their
// size - 1 bytes without splitting a UTF-8 character and NUL-terminated.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace vt {

// Copies text into a fixed field of size bytes, cut to size - 1 bytes and NUL-terminated; the
// rest of the field is zeroed. A cut never splits a UTF-8 character.
void CopyTextField(char* field, size_t size, const std::string& text);

// Little-endian field writers over a byte buffer (at is the field's offset).
void PutU8(uint8_t* b, size_t at, uint8_t v);
void PutI16(uint8_t* b, size_t at, int16_t v);
void PutI32(uint8_t* b, size_t at, int32_t v);
void PutU32(uint8_t* b, size_t at, uint32_t v);
void PutI64(uint8_t* b, size_t at, int64_t v);
void PutF64(uint8_t* b, size_t at, double v);
// size bytes of a text field (cut and NUL-terminated as CopyTextField).
void PutText(uint8_t* b, size_t at, size_t size, const std::string& text);
int16_t GetI16(const uint8_t* b, size_t at);
int32_t GetI32(const uint8_t* b, size_t at);
uint32_t GetU32(const uint8_t* b, size_t at);
int64_t GetI64(const uint8_t* b, size_t at);
double GetF64(const uint8_t* b, size_t at);
// The text of a field of size bytes, up to its first NUL.
std::string GetText(const uint8_t* b, size_t at, size_t size);

}  // namespace vt
