// The buffered byte input and the bit input of the LZH reader.
#include "viewer/archive/lzh_input.h"

#include <algorithm>
#include <cstring>

#include "viewer/archive/little_endian.h"

bool LzhInput::FillBuffer() {
  position_ = fill_ = 0;
  // After a read the file refused, no more bytes come: a retry that succeeded would put its
  // bytes where the refused ones belong, and the member would decode into garbage.
  if (!inner_ || limit_ == 0 || readError) return false;
  uint32_t want = std::min(kBufferSize, limit_);
  int got = inner_->Read(buffer_, want);
  if (got < 0) readError = true;
  if (got <= 0) return false;
  fill_ = uint32_t(got);
  if (limit_ != kUnlimited) limit_ -= fill_;
  return true;
}

uint8_t LzhInput::SlowByte() {
  if (FillBuffer()) return buffer_[position_++];
  if (readError) overrun_ = kReadErrorOverrun;  // the data ends here: Exhausted() at once
  if (overrun_ < 0xFFFFFFFFu) ++overrun_;
  return 0;
}

uint32_t LzhInput::ReadBytes(void* out, uint32_t count) {
  auto* target = static_cast<uint8_t*>(out);
  uint32_t done = 0;
  while (done < count) {
    if (position_ == fill_ && !FillBuffer()) break;
    uint32_t n = std::min(count - done, fill_ - position_);
    std::memcpy(target + done, buffer_ + position_, n);
    position_ += n;
    done += n;
  }
  return done;
}

int LzhInput::Byte() {
  uint8_t value = 0;
  if (ReadBytes(&value, 1) != 1) readError = true;
  return value;
}

uint16_t LzhInput::Word() {
  uint8_t bytes[2] = {};
  if (ReadBytes(bytes, 2) != 2) readError = true;
  return LittleEndian16(bytes);
}

uint32_t LzhInput::Dword() {
  uint8_t bytes[4] = {};
  if (ReadBytes(bytes, 4) != 4) readError = true;
  return LittleEndian32(bytes);
}

int64_t LzhInput::Position() {
  if (!inner_) return -1;
  int at = inner_->Tell();
  return at < 0 ? -1 : int64_t(at) - (fill_ - position_);
}

bool LzhInput::SeekTo(uint32_t position) {
  Empty();
  limit_ = kUnlimited;
  if (!inner_ || position > 0x7FFFFFFFu) return false;
  return inner_->Seek(int32_t(position), 0) == int32_t(position);
}

void LzhInput::InitBits() {
  bits_ = 0;
  bitCount_ = 0;
  Refill();
}
