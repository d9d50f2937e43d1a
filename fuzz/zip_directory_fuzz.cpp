// Fuzz target for the ZIP reader: the input is the archive file.  The directory is read, every
// entry listed, and the first members opened, read and sought.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "viewer/archive/zip_reader.h"

namespace {

class BytesReader : public SourceReader {
 public:
  BytesReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  int IsBad() override { return 0; }
  int Read(void* buffer, uint32_t count) override {
    size_t n = count < size_ - position_ ? count : size_ - position_;
    std::memcpy(buffer, data_ + position_, n);
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  BytesReader file(data, size);
  ZipReader zip(&file);
  ArchiveEntry entry;
  for (int i = 0; i < zip.MemberCount(); ++i) zip.GetEntry(i, entry);
  for (int i = 0; i < zip.MemberCount() && i < 4; ++i) {
    if (zip.OpenMember(i) != 0) continue;
    uint8_t buffer[512];
    while (zip.Read(buffer, sizeof buffer) > 0) {
    }
    zip.Seek(-7, 2);
    zip.Read(buffer, sizeof buffer);
  }
  return 0;
}
