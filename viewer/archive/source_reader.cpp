// The base behaviour of SourceReader: a reader that has nothing to deliver.
#include "viewer/archive/source_reader.h"

#include <algorithm>

#include "viewer/archive/little_endian.h"

int SourceReader::IsBad() { return 1; }
int SourceReader::Read(void*, uint32_t) { return 0; }
int SourceReader::Seek(int32_t, int) { return -1; }
uint32_t SourceReader::Size() { return 0; }
int SourceReader::Suspend() { return 0; }

int SourceReader::GetByte() {
  unsigned char byte = 0;
  return Read(&byte, 1) == 1 ? byte : -1;
}

int SourceReader::GetWord() {
  uint8_t bytes[2] = {0, 0};
  (void)Read(bytes, 2);  // unchecked by contract: missing bytes read as 0
  return LittleEndian16(bytes);
}

uint32_t SourceReader::GetDword() {
  uint8_t bytes[4] = {0, 0, 0, 0};
  (void)Read(bytes, 4);  // unchecked by contract: missing bytes read as 0
  return LittleEndian32(bytes);
}

int SourceReader::Tell() { return Seek(0, 1); }

uint32_t ClampedSeekPosition(uint32_t position, uint32_t size, int32_t offset, int origin) {
  int64_t base = origin == 1 ? position : origin == 2 ? size : 0;
  return uint32_t(std::clamp<int64_t>(base + offset, 0, size));
}
