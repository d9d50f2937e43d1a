// The base behaviour of SourceReader: a reader that has nothing to deliver.
#include "viewer/archive/source_reader.h"

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
  unsigned char bytes[2] = {0, 0};
  Read(bytes, 2);
  return bytes[0] | (bytes[1] << 8);
}

uint32_t SourceReader::GetDword() {
  unsigned char bytes[4] = {0, 0, 0, 0};
  Read(bytes, 4);
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (uint32_t(bytes[3]) << 24);
}

int SourceReader::Tell() { return Seek(0, 1); }
