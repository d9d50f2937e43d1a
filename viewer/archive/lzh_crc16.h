// The CRC-16 that LZH headers carry for each member's original bytes (polynomial 0x8005,
// reflected, initial value 0), updated over the bytes as the decoder produces them.
#pragma once

#include <cstddef>
#include <cstdint>

uint16_t LzhCrc16Update(uint16_t crc, const uint8_t* data, size_t length);
