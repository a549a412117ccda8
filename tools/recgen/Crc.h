// CRC-16 as the recorder files carry it (reflected polynomial 0xA001, initial value 0xFFFF,
// no final exclusive-or; check value 0x4B37 for "123456789"). The generator keeps its own
// copy so that it never shares code with the readers it is the oracle for.
#pragma once
#include <cstddef>
#include <cstdint>

namespace recgen {

uint16_t Crc16(const uint8_t* data, std::size_t size, uint16_t crc = 0xFFFF);

}  // namespace recgen
