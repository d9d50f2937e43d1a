// LzhHuffmanTable: a canonical Huffman code given by its code lengths, decoded through a lookup
// table of TableBits bits with short trees for the longer codes (nodes are numbered from the
// alphabet size upwards).  Used by the static-Huffman methods (-lh3- to -lh7-) and for the fixed
// position codes of -lh1-.  Lengths that over-fill the code are refused, so that no table or
// tree entry is ever written out of place.
#pragma once

#include <cstdint>
#include <cstring>

#include "viewer/archive/lzh_code_limits.h"
#include "viewer/archive/lzh_input.h"
#include "viewer/archive/lzh_tree_limits.h"

template <int MaxSymbols, int TableBits>
struct LzhHuffmanTable {
  static_assert(TableBits < kLzhMaxCodeBits);
  static constexpr int kTableSize = 1 << TableBits;
  // Tree nodes are numbered after the symbols; no accepted length set needs more of them.
  static constexpr int kTreeNodes = WorstCaseTreeNodes(MaxSymbols, TableBits, kLzhMaxCodeBits);
  static constexpr int kNodes = MaxSymbols + kTreeNodes;
  static_assert(kNodes <= 0xFFFF, "node numbers fit the 16-bit table entries");

  uint8_t length[MaxSymbols];
  uint16_t table[kTableSize];
  uint16_t left[kNodes];
  uint16_t right[kNodes];
  int alphabet = 0;

  // Builds the table from length[0 .. symbols-1]; false when the lengths over-fill the code or
  // one exceeds 16.  A code that does not fill the table is accepted: its gaps decode symbol 0.
  bool Make(int symbols) {
    alphabet = symbols;
    uint32_t count[18] = {};
    for (int s = 0; s < symbols; ++s) {
      if (length[s] > 16) return false;
      ++count[length[s]];
    }
    uint32_t start[18] = {};
    for (int l = 1; l <= 16; ++l) start[l + 1] = start[l] + (count[l] << (16 - l));
    if (start[17] > 0x10000) return false;
    constexpr int shift = 16 - TableBits;
    uint32_t weight[17] = {};
    for (int l = 1; l <= 16; ++l) {
      weight[l] = 1u << (16 - l);
      if (l <= TableBits) {
        start[l] >>= shift;
        weight[l] >>= shift;
      }
    }
    uint32_t used = start[TableBits + 1] >> shift;
    for (uint32_t i = used; i < uint32_t(kTableSize); ++i) table[i] = 0;
    int nextNode = symbols;
    for (int s = 0; s < symbols; ++s) {
      int l = length[s];
      if (l == 0) continue;
      uint32_t end = start[l] + weight[l];
      if (l <= TableBits) {
        for (uint32_t i = start[l]; i < end; ++i) table[i] = uint16_t(s);
      } else if (!PlaceLongCode(s, l, start[l], nextNode)) {
        return false;
      }
      start[l] = end;
    }
    return true;
  }

  // Every bit pattern decodes `symbol` with no bits consumed (a block with a single code).
  bool MakeSingle(int symbols, unsigned symbol) {
    if (symbol >= unsigned(symbols)) return false;
    alphabet = symbols;
    std::memset(length, 0, sizeof length);
    for (uint16_t& entry : table) entry = uint16_t(symbol);
    return true;
  }

  int Decode(LzhInput& in) const {
    uint16_t peek = in.Peek16();
    unsigned t = table[peek >> (16 - TableBits)];
    if (t >= unsigned(alphabet)) {
      unsigned mask = 1u << (15 - TableBits);
      do {
        t = (peek & mask) ? right[t] : left[t];
        mask >>= 1;
      } while (t >= unsigned(alphabet) && mask);
      if (t >= unsigned(alphabet)) t = 0;
    }
    in.FillBuf(length[t]);
    return int(t);
  }

 private:
  // Walks the code's bits below the table width, creating tree nodes as needed.
  bool PlaceLongCode(int symbol, int l, uint32_t code, int& nextNode) {
    uint16_t* slot = &table[code >> (16 - TableBits)];
    uint32_t bits = code << TableBits;
    for (int i = l - TableBits; i > 0; --i) {
      if (*slot == 0) {
        if (nextNode >= kNodes) return false;
        left[nextNode] = right[nextNode] = 0;
        *slot = uint16_t(nextNode++);
      }
      if (*slot < alphabet) return false;  // runs into a shorter code's leaf
      slot = (bits & 0x8000) ? &right[*slot] : &left[*slot];
      bits = (bits << 1) & 0xFFFF;
    }
    *slot = uint16_t(symbol);
    return true;
  }
};
