// LzhAdaptiveTree: the adaptive Huffman trees of -lh1- and -lh2-.  One tree codes characters
// (literals and match lengths) in nodes 0..627, a second one the match positions of -lh2- in
// nodes 628..883; both grow and rebalance as symbols are decoded.  Nodes are kept in order of
// falling weight, grouped in blocks of equal weight whose leader is the lowest-numbered node.
#pragma once

#include <cstdint>

#include "viewer/archive/lzh_input.h"

class LzhAdaptiveTree {
 public:
  static constexpr int kCharNodes = 628;
  static constexpr int kNodes = 884;
  static constexpr int kCharSymbols = 314;  // position symbol p is symbol 314 + p
  static constexpr int kCharRoot = 0;
  static constexpr int kPosRoot = kCharNodes;

  // The character tree over `alphabet` symbols; codes above 255 are match lengths up to
  // maxMatch, and for a smaller alphabet its last code is followed by 8 raw bits.
  void StartChars(int alphabet, int maxMatch);
  // The position tree of -lh2-: one leaf, growing by a leaf per 64 decoded bytes up to the
  // dictionary size.
  void StartPositions(uint32_t dictionarySize);
  int DecodeChar(LzhInput& in);
  // `decoded` is the count of member bytes produced so far.
  int DecodePosition(LzhInput& in, uint32_t decoded);

 private:
  int Walk(LzhInput& in, int node);
  void UpdateChar(int symbol);
  void UpdatePosition(int p);
  void AddPositionLeaf(int p);
  int SwapInc(int p);
  void Rebuild(int start, int end);
  int NewBlock() { return freeBlocks_[freeBlockCount_++]; }
  void FreeBlock(int b) { freeBlocks_[--freeBlockCount_] = int16_t(b); }

  uint16_t freq_[kNodes + 1];
  int16_t child_[kNodes + 1];
  int16_t parent_[kNodes + 1];
  int16_t block_[kNodes + 1];
  int16_t blockLeader_[kNodes + 1];
  int16_t freeBlocks_[kNodes + 1];
  int16_t symbolLeaf_[kCharSymbols + 128];
  int freeBlockCount_ = 0;
  int alphabet_ = 0;
  int escape_ = 512;
  int highestPosNode_ = kPosRoot;
  uint16_t posUpdateCount_ = 0;
  uint32_t nextLeafCount_ = 0;
  uint32_t leafLimit_ = 0;
};
