// BytesReader: a SourceReader over bytes in memory that it does not own, so that tests and fuzz
// targets can open documents and archives without files.  Seeks outside the bytes fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "viewer/archive/source_reader.h"

class BytesReader : public SourceReader {
 public:
  BytesReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  int IsBad() override { return 0; }
  int Read(void* buffer, uint32_t count) override {
    size_t n = count < size_ - position_ ? count : size_ - position_;
    if (n) std::memcpy(buffer, data_ + position_, n);
    position_ += n;
    return int(n);
  }
  int Seek(int32_t offset, int origin) override {
    int64_t base = origin == 1 ? int64_t(position_) : origin == 2 ? int64_t(size_) : 0;
    if (base + offset < 0 || base + offset > int64_t(size_)) return -1;
    position_ = size_t(base + offset);
    return int(position_);
  }
  uint32_t Size() override { return uint32_t(size_); }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};
