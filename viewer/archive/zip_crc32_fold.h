// The fast path of the CRC-32 (zip_crc32.cpp) on processors with carry-less multiplication.
#pragma once

#include <cstddef>
#include <cstdint>

// True when FoldCrc32 may be called on this processor.
bool CanFoldCrc32();
// Folds the first bytes of data[0..size) (size >= 64) into `remainder`, 16 bytes whose raw CRC
// (register 0 at the start, not inverted) continues like that of ~crc followed by those bytes.
// Returns how many bytes were folded (a multiple of 16).  With `wide`, a long input takes the
// two-lane instructions where the processor has them (false keeps to one lane, for tests).
size_t FoldCrc32(uint32_t crc, const uint8_t* data, size_t size, uint8_t remainder[16], bool wide = true);
// True when the processor has the two-lane instructions (FoldCrc32 then uses them).
bool CanFoldCrc32Wide();
