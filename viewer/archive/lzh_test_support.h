// Test helpers for the LZH reader: a SourceReader over bytes in memory, a most-significant-bit
// first bit writer for hand-made compressed streams, and builders of headers of each level.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "viewer/archive/lzh_crc16.h"
#include "viewer/archive/source_reader.h"

class MemoryReader : public SourceReader {
 public:
  explicit MemoryReader(std::string bytes) : bytes_(std::move(bytes)) {}
  int IsBad() override { return 0; }
  int Read(void* buffer, uint32_t count) override {
    size_t n = position_ < bytes_.size() ? std::min<size_t>(count, bytes_.size() - position_) : 0;
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return int(n);
  }
  int Seek(int32_t offset, int origin) override {
    int64_t base = origin == 1 ? int64_t(position_) : origin == 2 ? int64_t(bytes_.size()) : 0;
    if (base + offset < 0) return -1;
    position_ = size_t(base + offset);
    return int(position_);
  }
  uint32_t Size() override { return uint32_t(bytes_.size()); }

 private:
  std::string bytes_;
  size_t position_ = 0;
};

class BitWriter {
 public:
  void Put(uint32_t value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
      current_ = uint8_t((current_ << 1) | ((value >> i) & 1));
      if (++count_ == 8) Flush();
    }
  }
  std::string Bytes() {
    std::string out = bytes_;
    if (count_) out += char(current_ << (8 - count_));
    return out;
  }

 private:
  void Flush() {
    bytes_ += char(current_);
    current_ = 0;
    count_ = 0;
  }
  std::string bytes_;
  uint8_t current_ = 0;
  int count_ = 0;
};

inline std::string Le16(uint32_t v) { return {char(v & 0xFF), char((v >> 8) & 0xFF)}; }
inline std::string Le32(uint32_t v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }

inline uint16_t Crc16Of(const std::string& bytes) {
  return LzhCrc16Update(0, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

// The 20 bytes from the method id to the attribute that all levels share.
inline std::string HeaderMiddle(const std::string& method, uint32_t packed, uint32_t original) {
  return method + Le32(packed) + Le32(original) + Le16(0x6000) + Le16(0x3A21) + char(0x20);
}

// A level-0 header (with a correct checksum) followed by the data.
inline std::string Level0Member(const std::string& method, const std::string& name, const std::string& data,
                                uint32_t original, uint16_t crc) {
  std::string body = HeaderMiddle(method, uint32_t(data.size()), original) + char(0) + char(name.size()) + name +
                     Le16(crc);
  uint8_t sum = 0;
  for (char c : body) sum = uint8_t(sum + uint8_t(c));
  return std::string(1, char(body.size())) + char(sum) + body + data;
}

// An extension header of levels 1 and 2: its size word comes before it, in the previous one.
struct Extension {
  int type;
  std::string data;
};

inline std::string ExtensionChain(const std::vector<Extension>& extensions) {
  std::string out;
  for (const Extension& e : extensions) out += Le16(uint32_t(e.data.size() + 3)) + char(e.type) + e.data;
  return out + Le16(0);
}

inline std::string Level1Member(const std::string& method, const std::string& name,
                                const std::vector<Extension>& extensions, const std::string& data,
                                uint32_t original, uint16_t crc, char os = 'M') {
  std::string chain = ExtensionChain(extensions);
  uint32_t packed = uint32_t(data.size() + chain.size() - 2);
  // The basic header ends with the size word of the first extension.
  std::string body = HeaderMiddle(method, packed, original) + char(1) + char(name.size()) + name + Le16(crc) + os +
                     chain.substr(0, 2);
  uint8_t sum = 0;
  for (char c : body) sum = uint8_t(sum + uint8_t(c));
  return std::string(1, char(body.size())) + char(sum) + body + chain.substr(2) + data;
}

inline std::string Level2Member(const std::string& method, const std::vector<Extension>& extensions,
                                const std::string& data, uint32_t original, uint16_t crc) {
  std::string chain = ExtensionChain(extensions);
  std::string rest = HeaderMiddle(method, uint32_t(data.size()), original) + char(2) + Le16(crc) + 'M' + chain;
  return Le16(uint32_t(rest.size() + 2)) + rest + data;
}

// Everything the reader delivers from its position on, read in odd-sized pieces.
inline std::string ReadAll(SourceReader& reader) {
  std::string bytes;
  char buffer[777];
  int n;
  while ((n = reader.Read(buffer, sizeof buffer)) > 0) bytes.append(buffer, size_t(n));
  return bytes;
}

inline std::string StoredMember(const std::string& name, const std::string& data) {
  return Level0Member("-lh0-", name, data, uint32_t(data.size()), Crc16Of(data));
}
