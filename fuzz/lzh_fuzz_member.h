// The body shared by the LZH decoder fuzz targets: the first input byte picks one of the given
// methods, the next three the member size, the rest is the compressed data of a one-member
// archive; reading, seeking back and the CRC check must stay within bounds.
//
// The member size is bounded by the input's length (a little over the -lh5- dictionary, and
// more for longer inputs): decoding past the data only repeats what the zero bits give, and
// each input costs time in proportion to the size asked for (it is decoded up to three times).
// Every method shares the code that wraps around the dictionary, which the smaller ones reach
// within this bound.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "viewer/archive/lzh_method_table.h"
#include "viewer/archive/lzh_reader.h"
#include "viewer/archive/lzh_test_support.h"

constexpr uint32_t kFuzzMemberBase = 0x2400;

inline int FuzzLzhMember(const uint8_t* data, size_t size, std::initializer_list<const char*> methods) {
  if (size < 4) return 0;
  std::vector<const char*> ids(methods);
  const char* method = ids[data[0] % ids.size()];
  std::string packed(reinterpret_cast<const char*>(data + 4), size - 4);
  uint32_t asked = data[1] | (data[2] << 8) | (uint32_t(data[3] & 0x0F) << 16);
  uint32_t bound = kFuzzMemberBase + 32 * uint32_t(packed.size());
  uint32_t original = asked % (bound + 1);
  MemoryReader file(std::string(2, '\0') + Level0Member(method, "F", packed, original, 0) + std::string(1, '\0'));
  LzhReader reader(&file);
  if (reader.OpenMember(0) != ArchiveResult::kOk) return 0;
  char buffer[4096];
  while (reader.Read(buffer, sizeof buffer) > 0) {
  }
  // Only memory safety is checked here: every outcome is acceptable.
  (void)reader.Seek(int32_t(original / 2), 0);
  (void)reader.Read(buffer, sizeof buffer);
  (void)reader.CheckMemberIntegrity();
  return 0;
}
