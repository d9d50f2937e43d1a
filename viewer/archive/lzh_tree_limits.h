// The most tree nodes an LzhHuffmanTable can need, computed at compile time.  Codes longer than
// the table width go through binary trees hanging from the table's slots, one node per distinct
// prefix of TableBits bits or more.  Canonical codes fill the code space from its start without
// a gap, so every slot of long codes is complete but the last: a complete slot of m codes has
// m - 1 nodes and holds at most 2^(maxCodeBits - tableBits) codes, and the last slot's codes
// make the most nodes when all have the longest length.  WorstCaseTreeNodes tries every size of
// that last slot with all the other symbols in as few complete slots as they fit.
#pragma once

namespace lzh_detail {

constexpr int CeilDivPow2(int value, int bits) { return (value + (1 << bits) - 1) >> bits; }

// Nodes above `codes` leaves of depth `depth` placed leftmost in a slot they do not fill.
constexpr int PartialSlotNodes(int codes, int depth) {
  int nodes = 0;
  for (int level = 1; level <= depth; ++level) nodes += CeilDivPow2(codes, level);
  return nodes;
}

}  // namespace lzh_detail

constexpr int WorstCaseTreeNodes(int symbols, int tableBits, int maxCodeBits) {
  using namespace lzh_detail;
  const int depth = maxCodeBits - tableBits;
  if (depth <= 0) return 0;
  int worst = 0;
  for (int last = 0; last < (1 << depth) && last <= symbols; ++last) {
    int inFull = symbols - last;
    int fullSlots = CeilDivPow2(inFull, depth);
    // A complete slot has two codes at least; and the slots must fit the table.
    if (inFull < 2 * fullSlots || fullSlots + (last > 0) > (1 << tableBits)) continue;
    int nodes = inFull - fullSlots + PartialSlotNodes(last, depth);
    if (nodes > worst) worst = nodes;
  }
  return worst;
}
