// LzhDecoder: the sliding dictionary of one LZH member and the state every decoding method
// shares.  Start() prepares a member whose compressed bytes the input delivers; each
// FillWindow() then produces the next block of the member into the dictionary, from its start,
// and updates the CRC-16 of the bytes produced so far.  Corrupt or truncated data ends the
// member early (Corrupt() tells), never a read or write outside the tables.
#pragma once

#include <cstdint>
#include <memory>

#include "viewer/archive/lzh_adaptive_tree.h"
#include "viewer/archive/lzh_code_limits.h"
#include "viewer/archive/lzh_huffman_table.h"
#include "viewer/archive/lzh_input.h"

struct LzhMethod;

class LzhDecoder {
 public:
  static constexpr uint32_t kMaxDictionary = 1u << 16;  // -lh7-

  // The tables and the dictionary; false when memory is short.
  [[nodiscard]] bool Allocate();
  void Start(const LzhMethod& method, uint32_t memberSize);
  // Bytes produced into Dictionary()[0 ..]; 0 once the member is complete or broken.
  uint32_t FillWindow();

  const uint8_t* Dictionary() const { return dictionary_.get(); }
  uint32_t DictionarySize() const { return size_; }
  uint32_t Decoded() const { return decoded_; }
  bool Ended() const { return ended_; }
  bool Corrupt() const { return corrupt_; }
  uint16_t Crc() const { return crc_; }

  // State the methods work on.
  LzhInput input;
  uint8_t* dictionary() { return dictionary_.get(); }
  void MarkCorrupt() { corrupt_ = true; }

  struct StaticState {
    LzhHuffmanTable<kLzhCharTableSymbols, kLzhCharTableBits> chars;     // literals and lengths
    LzhHuffmanTable<kLzhSmallTableSymbols, kLzhSmallTableBits> small;  // positions, the code-length code
    uint16_t blockRemaining = 0;
    int positionCodes = 0;           // -lh4- to -lh7-: position alphabet of a block
    int positionCountBits = 0;       // bits of its count in the block header
  };
  std::unique_ptr<StaticState> statics;
  std::unique_ptr<LzhAdaptiveTree> adaptive;
  uint32_t matchPosition = 0;  // -lzs-, -lz5-: absolute position of the last match
  uint8_t flagByte = 0;        // -lz5-
  int flagCount = 0;

 private:
  template <class Codes>
  uint32_t FillLoop(uint32_t w);
  uint32_t FillStored();
  uint32_t CopyMatch(uint32_t w);

  std::unique_ptr<uint8_t[]> dictionary_;
  const LzhMethod* method_ = nullptr;
  uint32_t size_ = 0;
  uint32_t mask_ = 0;
  uint32_t memberSize_ = 0;
  uint32_t decoded_ = 0;
  uint16_t crc_ = 0;
  bool ended_ = true;
  bool corrupt_ = false;
  // A match that the end of the dictionary interrupted.
  uint32_t copyLength_ = 0;
  uint32_t copySource_ = 0;

  friend struct LzhGenericCodes;
  friend struct LzhStaticCodes;
};
