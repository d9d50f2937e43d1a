// The adaptive Huffman trees of -lh1- and -lh2-: building, decoding, the weight update with its
// block bookkeeping, and the rebuild that halves all weights when the root's weight overflows.
#include "viewer/archive/lzh_adaptive_tree.h"

#include <algorithm>

void LzhAdaptiveTree::StartChars(int alphabet, int maxMatch) {
  alphabet_ = alphabet;
  escape_ = alphabet < maxMatch + 254 ? alphabet - 1 : 512;
  for (int i = 0; i <= kNodes; ++i) {
    freeBlocks_[i] = int16_t(i);
    block_[i] = 0;
    freq_[i] = 0;
    child_[i] = 0;
    parent_[i] = 0;
    blockLeader_[i] = 0;
  }
  for (int i = 0, j = 2 * alphabet - 2; i < alphabet; ++i, --j) {
    freq_[j] = 1;
    child_[j] = int16_t(~i);
    symbolLeaf_[i] = int16_t(j);
    block_[j] = 1;
  }
  freeBlockCount_ = 2;
  blockLeader_[1] = int16_t(alphabet - 1);
  for (int i = alphabet - 2, j = 2 * alphabet - 2; i >= 0; --i, j -= 2) {
    freq_[i] = uint16_t(freq_[j] + freq_[j - 1]);
    child_[i] = int16_t(j);
    parent_[j] = parent_[j - 1] = int16_t(i);
    if (freq_[i] == freq_[i + 1]) {
      block_[i] = block_[i + 1];
    } else {
      block_[i] = int16_t(NewBlock());
    }
    blockLeader_[block_[i]] = int16_t(i);
  }
}

void LzhAdaptiveTree::StartPositions(uint32_t dictionarySize) {
  freq_[kPosRoot] = 1;
  child_[kPosRoot] = int16_t(~kCharSymbols);
  symbolLeaf_[kCharSymbols] = kPosRoot;
  block_[kPosRoot] = int16_t(NewBlock());
  blockLeader_[block_[kPosRoot]] = kPosRoot;
  highestPosNode_ = kPosRoot;
  posUpdateCount_ = 0;
  leafLimit_ = dictionarySize;
  nextLeafCount_ = 64;
}

// Follows the bits from `node` down to a leaf (bit 1 takes the lower-numbered child).
int LzhAdaptiveTree::Walk(LzhInput& in, int node) {
  int c = child_[node];
  while (c > 0) {
    c = child_[c - (in.GetBits(1))];
  }
  return ~c;
}

int LzhAdaptiveTree::DecodeChar(LzhInput& in) {
  int symbol = Walk(in, kCharRoot);
  if (symbol < 0 || symbol >= alphabet_) return 0;
  UpdateChar(symbol);
  if (symbol == escape_) symbol += in.GetBits(8);
  return symbol;
}

int LzhAdaptiveTree::DecodePosition(LzhInput& in, uint32_t decoded) {
  while (nextLeafCount_ < decoded) {
    AddPositionLeaf(int(nextLeafCount_ / 64));
    nextLeafCount_ += 64;
    if (nextLeafCount_ >= leafLimit_) nextLeafCount_ = 0xFFFFFFFFu;
  }
  int p = Walk(in, kPosRoot) - kCharSymbols;
  if (p < 0 || p >= 128) return 0;
  UpdatePosition(p);
  return p;
}

void LzhAdaptiveTree::UpdateChar(int symbol) {
  if (freq_[kCharRoot] == 0x8000) Rebuild(0, 2 * alphabet_ - 1);
  ++freq_[kCharRoot];
  int q = symbolLeaf_[symbol];
  do {
    q = SwapInc(q);
  } while (q != kCharRoot);
}

void LzhAdaptiveTree::UpdatePosition(int p) {
  if (posUpdateCount_ == 0x8000) {
    Rebuild(kPosRoot, highestPosNode_ + 1);
    posUpdateCount_ = freq_[kPosRoot];
    freq_[kPosRoot] = 0xFFFF;
  }
  int q = symbolLeaf_[p + kCharSymbols];
  while (q != kPosRoot) q = SwapInc(q);
  ++posUpdateCount_;
}

void LzhAdaptiveTree::AddPositionLeaf(int p) {
  int r = highestPosNode_ + 1;
  int q = r + 1;
  if (q >= kNodes) return;
  child_[r] = child_[highestPosNode_];
  symbolLeaf_[~child_[r]] = int16_t(r);
  child_[q] = int16_t(~(p + kCharSymbols));
  child_[highestPosNode_] = int16_t(q);
  freq_[r] = freq_[highestPosNode_];
  freq_[q] = 0;
  block_[r] = block_[highestPosNode_];
  if (highestPosNode_ == kPosRoot) {
    freq_[kPosRoot] = 0xFFFF;
    ++blockLeader_[block_[kPosRoot]];
  }
  parent_[r] = parent_[q] = int16_t(highestPosNode_);
  block_[q] = int16_t(NewBlock());
  blockLeader_[block_[q]] = int16_t(q);
  symbolLeaf_[p + kCharSymbols] = int16_t(q);
  highestPosNode_ = q;
  UpdatePosition(p);
}

// Raises the weight of node p by one, first swapping it with the leader of its block so that
// the order of weights is kept; returns the parent, whose weight is raised next.
int LzhAdaptiveTree::SwapInc(int p) {
  int b = block_[p];
  int q = blockLeader_[b];
  if (q != p) {
    int r = child_[p];
    int s = child_[q];
    child_[p] = int16_t(s);
    child_[q] = int16_t(r);
    if (r >= 0) {
      parent_[r] = parent_[r - 1] = int16_t(q);
    } else {
      symbolLeaf_[~r] = int16_t(q);
    }
    if (s >= 0) {
      parent_[s] = parent_[s - 1] = int16_t(p);
    } else {
      symbolLeaf_[~s] = int16_t(p);
    }
    p = q;
  } else if (b != block_[p + 1]) {
    if (++freq_[p] == freq_[p - 1]) {
      FreeBlock(b);
      block_[p] = block_[p - 1];
    }
    return parent_[p];
  }
  ++blockLeader_[b];
  if (++freq_[p] == freq_[p - 1]) {
    block_[p] = block_[p - 1];
  } else {
    block_[p] = int16_t(NewBlock());
    blockLeader_[block_[p]] = int16_t(p);
  }
  return parent_[p];
}

// Halves the weights of the leaves of nodes start..end-1 and builds that tree afresh.
void LzhAdaptiveTree::Rebuild(int start, int end) {
  int j = start;
  for (int i = start; i < end; ++i) {
    if (child_[i] < 0) {
      freq_[j] = uint16_t((freq_[i] + 1) / 2);
      child_[j] = child_[i];
      ++j;
    }
    if (blockLeader_[block_[i]] == i) FreeBlock(block_[i]);
  }
  --j;
  int i = end - 1;
  int l = end - 2;
  while (i >= start) {
    while (i >= l) {
      freq_[i] = freq_[j];
      child_[i] = child_[j];
      --i, --j;
    }
    unsigned f = unsigned(freq_[l]) + freq_[l + 1];
    int k = start;
    while (f < freq_[k]) ++k;
    while (j >= k) {
      freq_[i] = freq_[j];
      child_[i] = child_[j];
      --i, --j;
    }
    freq_[i] = uint16_t(f);
    child_[i] = int16_t(l + 1);
    --i;
    l -= 2;
  }
  unsigned f = 0;
  int b = 0;
  for (i = start; i < end; ++i) {
    int c = child_[i];
    if (c < 0) {
      symbolLeaf_[~c] = int16_t(i);
    } else {
      parent_[c] = parent_[c - 1] = int16_t(i);
    }
    if (freq_[i] == f) {
      block_[i] = int16_t(b);
    } else {
      b = NewBlock();
      block_[i] = int16_t(b);
      blockLeader_[b] = int16_t(i);
      f = freq_[i];
    }
  }
}
