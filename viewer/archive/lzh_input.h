// LzhInput: the LZH reader's view of the archive file.  Bytes come through a 256-byte buffer;
// the header reader takes bytes, words and double words from it, the decoders take bits.
// While a member is decoded the input is limited to the member's packed bytes: past them the
// decoders get zero bits, and Exhausted() tells that they consumed more than the data holds.
#pragma once

#include <cstdint>

#include "viewer/archive/source_reader.h"

class LzhInput {
 public:
  static constexpr uint32_t kBufferSize = 256;
  static constexpr uint32_t kUnlimited = 0xFFFFFFFFu;
  static constexpr uint32_t kReadErrorOverrun = 0x10000;

  void Attach(SourceReader* inner) { inner_ = inner; Empty(); }

  // Header input.  A short read, or a read the file refuses, sets readError; after a refused
  // read the input delivers nothing more until readError is cleared.
  [[nodiscard]] uint32_t ReadBytes(void* out, uint32_t count);
  int Byte();
  uint16_t Word();
  uint32_t Dword();
  bool readError = false;

  // The archive position of the next byte delivered; -1 when the file cannot tell.
  int64_t Position();
  // Seeks the archive file; empties the buffer and lifts the limit.  False on failure.
  [[nodiscard]] bool SeekTo(uint32_t position);
  // From now on at most `count` more bytes come from the file.
  void LimitTo(uint32_t count) { limit_ = count; }

  // Bit input, most significant bit first.  Peek16 shows the next 16 bits.
  void InitBits();
  uint16_t Peek16() const { return uint16_t(bits_ >> 48); }
  void FillBuf(int count) {
    bits_ <<= count;
    bitCount_ -= count;
    if (bitCount_ < 16) Refill();
  }
  uint16_t GetBits(int count) {
    uint16_t value = count ? uint16_t(Peek16() >> (16 - count)) : 0;
    FillBuf(count);
    return value;
  }
  // Whole bytes for the byte-coded method (-lz5-), through the same limit.
  uint8_t NextByte() { return position_ < fill_ ? buffer_[position_++] : SlowByte(); }
  // True when the decoder has taken more than the data held (a truncated or corrupt member).
  bool Exhausted() const { return overrun_ > 8; }

 private:
  void Empty() { position_ = fill_ = 0; overrun_ = 0; }
  bool FillBuffer();
  uint8_t SlowByte();
  void Refill() {
    while (bitCount_ <= 56) {
      bits_ |= uint64_t(NextByte()) << (56 - bitCount_);
      bitCount_ += 8;
    }
  }

  SourceReader* inner_ = nullptr;
  uint8_t buffer_[kBufferSize];
  uint32_t position_ = 0;  // next unconsumed byte of buffer_
  uint32_t fill_ = 0;      // bytes in buffer_
  uint32_t limit_ = kUnlimited;
  uint32_t overrun_ = 0;   // zero bytes handed out past the end of the data
  uint64_t bits_ = 0;      // the next bits, left-aligned
  int bitCount_ = 0;       // valid bits in bits_
};
