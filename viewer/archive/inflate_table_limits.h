// The largest decoding table a Huffman code can need, computed at compile time.  A table has a
// first level of 2^rootBits entries; each first-level slot whose codes are longer than rootBits
// points to a second-level part of 2^(L - rootBits) entries, L being the longest code in that
// slot.  Canonical codes are ordered by length, so the long codes fill the slots at the end of
// the first level one after another, every slot but the last of an incomplete code completely.
// WorstCaseEntries searches every way of doing so with the symbols at hand, slot by slot, and
// returns the greatest total (for complete codes the same figures as the classic bound
// programs give, e.g. 852 entries for 286 symbols, 9 root bits and 15-bit codes).
#pragma once

namespace inflate_detail {

struct TableLimits {
  unsigned symbols;             // symbols that may have codes
  unsigned rootBits;            // first-level width
  unsigned maxCodeBits;         // longest code
  bool incompleteAccepted;      // codes that leave part of the code space unused are built
};

namespace table_limits_detail {

constexpr unsigned kMaxLevels = 16;
constexpr unsigned kMaxSymbols = 320;

// The long codes filling the slots so far: the length of the last one, the symbols spent and
// the second-level entries made.
struct FillState {
  unsigned level;
  unsigned symbols;
  unsigned entries;
};

struct FillLayer {
  FillState states[kMaxLevels * (kMaxSymbols + 1)] = {};
  unsigned count = 0;
};

constexpr unsigned PopCount(unsigned v) {
  unsigned n = 0;
  for (; v; v &= v - 1) ++n;
  return n;
}

// The fewest codes that fill one slot when every code is at least `from` bits long and the
// last is `last` bits long: 2^(from-root) - 1 codes of `from` bits, then one each of
// from+1 .. last-1 bits and two of `last` bits.
constexpr unsigned CodesToFillSlot(unsigned root, unsigned from, unsigned last) {
  return last == from ? 1u << (from - root) : (1u << (from - root)) + (last - from);
}

}  // namespace table_limits_detail

constexpr unsigned WorstCaseEntries(TableLimits t) {
  using namespace table_limits_detail;
  const unsigned root = t.rootBits, longest = t.maxCodeBits, n = t.symbols;
  unsigned worst = 1u << (longest < root ? longest : root);
  if (longest <= root) return worst;
  FillLayer layers[2] = {};
  unsigned index[kMaxLevels][kMaxSymbols + 1] = {};  // a state's place in the layer being made, + 1
  layers[0].states[0] = {root + 1, 0, 0};
  layers[0].count = 1;
  for (unsigned slots = 1;; ++slots) {
    const FillLayer& from = layers[(slots - 1) & 1];
    FillLayer& to = layers[slots & 1];
    to.count = 0;
    for (unsigned i = 0; i < from.count; ++i) {
      const FillState state = from.states[i];
      // An incomplete code may end with one code of the longest length in a slot of its own.
      if (t.incompleteAccepted && state.symbols < n)
        worst = worst > (1u << root) + state.entries + (1u << (longest - root))
                    ? worst : (1u << root) + state.entries + (1u << (longest - root));
      for (unsigned last = state.level; last <= longest; ++last) {
        unsigned symbols = state.symbols + CodesToFillSlot(root, state.level, last);
        if (symbols > n) break;
        unsigned entries = state.entries + (1u << (last - root));
        unsigned& at = index[last - root][symbols];
        if (at == 0) {
          to.states[to.count++] = {last, symbols, entries};
          at = to.count;
        } else if (to.states[at - 1].entries < entries) {
          to.states[at - 1].entries = entries;
        }
      }
    }
    if (to.count == 0) return worst;
    // A complete code fills the first-level slots before the long ones with codes of up to
    // rootBits bits: at least one per set bit of their number.
    unsigned shortCodes = slots < (1u << root) ? PopCount((1u << root) - slots) : 0;
    for (unsigned i = 0; i < to.count; ++i) {
      const FillState state = to.states[i];
      index[state.level - root][state.symbols] = 0;
      if (t.incompleteAccepted || state.symbols + shortCodes <= n)
        worst = worst > (1u << root) + state.entries ? worst : (1u << root) + state.entries;
    }
  }
}

}  // namespace inflate_detail
