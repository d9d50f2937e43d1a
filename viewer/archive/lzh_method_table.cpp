// The MethodTable: the ten methods of the classic LZH programs in their historical order, and
// -lh7- (64 KiB dictionary) as the row after them.
#include "viewer/archive/lzh_method_table.h"

#include <cstring>

#include "viewer/archive/lzh_methods.h"

const LzhMethod MethodTable[] = {
    {"-lh0-", 13, 253, nullptr, nullptr, nullptr, false},
    {"-lh1-", 12, 253, DecodeStartLh1, DecodeCAdaptive, DecodePLh3, false},
    {"-lh2-", 13, 253, DecodeStartLh2, DecodeCAdaptive, DecodePLh2, false},
    {"-lh3-", 13, 253, DecodeStartLh3, DecodeCLh3, DecodePLh3, false},
    {"-lh4-", 12, 253, DecodeStartLh4, DecodeCStatic, DecodePStatic, true},
    {"-lh5-", 13, 253, DecodeStartLh5, DecodeCStatic, DecodePStatic, true},
    {"-lzs-", 11, 254, DecodeStartLzs, DecodeCLzs, DecodePLzs, false},
    {"-lz5-", 12, 253, DecodeStartLz5, DecodeCLz5, DecodePLz5, false},
    {"-lz4-", 13, 253, nullptr, nullptr, nullptr, false},
    {"-lh6-", 15, 253, DecodeStartLh6, DecodeCStatic, DecodePStatic, true},
    {"-lh7-", 16, 253, DecodeStartLh7, DecodeCStatic, DecodePStatic, true},
};

const int kMethodCount = int(sizeof MethodTable / sizeof MethodTable[0]);

int FindLzhMethod(const char* id) {
  for (int i = 0; i < kMethodCount; ++i) {
    if (std::memcmp(MethodTable[i].id, id, 5) == 0) return i;
  }
  return -1;
}
