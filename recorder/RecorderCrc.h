// CRC-16 of recorder-file blocks: reflected polynomial 0xA001, initial value 0xFFFF, no final
// exclusive-or, table-driven. The stored checksum words are always low byte first.
#pragma once
#include <cstddef>
#include <cstdint>

uint16_t RecorderCrc16(const uint8_t* data, std::size_t size, uint16_t crc = 0xFFFF);
