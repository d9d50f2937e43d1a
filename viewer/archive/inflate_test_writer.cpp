// Test helper: the deflate writer of inflate_test_writer.h.
#include "viewer/archive/inflate_test_writer.h"

using std::size_t;

namespace inflate_test {
namespace {

const uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                  31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
const uint16_t kDistBase[30] = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};

unsigned LengthExtraBits(unsigned code) {
  return code < 8 || code == 28 ? 0 : (code - 4) / 4;
}
unsigned DistExtraBits(unsigned code) { return code < 4 ? 0 : (code - 2) / 2; }

// The length code for a length; 258 uses code 28 (symbol 285).
unsigned LengthCode(unsigned length) {
  if (length == 258) return 28;
  unsigned code = 0;
  while (code + 1 < 28 && kLengthBase[code + 1] <= length) ++code;
  return code;
}
unsigned DistCode(unsigned distance) {
  unsigned code = 0;
  while (code + 1 < 30 && kDistBase[code + 1] <= distance) ++code;
  return code;
}

}  // namespace

std::vector<uint8_t> FixedLitlenLengths() {
  std::vector<uint8_t> lengths(288);
  for (unsigned s = 0; s < 288; ++s) lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
  return lengths;
}

std::vector<uint8_t> FixedDistLengths() { return std::vector<uint8_t>(30, 5); }

std::vector<uint32_t> CanonicalCodes(const std::vector<uint8_t>& lengths) {
  unsigned count[16] = {};
  for (uint8_t len : lengths) count[len]++;
  count[0] = 0;
  uint32_t next[16] = {};
  uint32_t code = 0;
  for (unsigned len = 1; len < 16; ++len) {
    code = (code + count[len - 1]) << 1;
    next[len] = code;
  }
  std::vector<uint32_t> codes(lengths.size());
  for (size_t s = 0; s < lengths.size(); ++s)
    if (lengths[s]) codes[s] = next[lengths[s]]++;
  return codes;
}

std::vector<Token> Literals(const std::vector<uint8_t>& bytes) {
  std::vector<Token> tokens;
  for (uint8_t b : bytes) tokens.push_back(Token::Literal(b));
  return tokens;
}

void ApplyTokens(const std::vector<Token>& tokens, std::vector<uint8_t>& out) {
  for (const Token& t : tokens) {
    if (t.length == 0) {
      out.push_back(uint8_t(t.valueOrDistance));
      continue;
    }
    size_t from = out.size() - t.valueOrDistance;
    for (unsigned i = 0; i < t.length; ++i) out.push_back(out[from + i]);
  }
}

void DeflateWriter::Bits(uint32_t value, unsigned count) {
  pending_ |= uint64_t(value & ((1u << count) - 1)) << pendingBits_;
  pendingBits_ += count;
  while (pendingBits_ >= 8) {
    bytes_.push_back(uint8_t(pending_));
    pending_ >>= 8;
    pendingBits_ -= 8;
  }
}

void DeflateWriter::Code(const std::vector<uint32_t>& codes, const std::vector<uint8_t>& lengths,
                         unsigned symbol) {
  // Huffman codes go out most significant bit first.
  for (unsigned i = lengths[symbol]; i-- > 0;) Bits(codes[symbol] >> i, 1);
}

void DeflateWriter::StoredBlock(const std::vector<uint8_t>& data, bool last) {
  Bits(last, 1);
  Bits(0, 2);
  if (pendingBits_) Bits(0, 8 - pendingBits_);
  Bits(uint32_t(data.size()), 16);
  Bits(uint32_t(~data.size()), 16);
  bytes_.insert(bytes_.end(), data.begin(), data.end());
}

void DeflateWriter::FixedBlock(const std::vector<Token>& tokens, bool last) {
  Bits(last, 1);
  Bits(1, 2);
  Symbols(FixedLitlenLengths(), FixedDistLengths(), tokens);
}

void DeflateWriter::DynamicBlock(const std::vector<uint8_t>& litlenLengths,
                                 const std::vector<uint8_t>& distLengths,
                                 const std::vector<Token>& tokens, bool last) {
  Bits(last, 1);
  Bits(2, 2);
  Bits(uint32_t(litlenLengths.size() - 257), 5);
  Bits(uint32_t(distLengths.size() - 1), 5);
  Bits(19 - 4, 4);
  // Code-length code: symbols 0..15 get 4 bits each, 16..18 none.  Order 16,17,18,0,8,7,...
  static const uint8_t kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
  std::vector<uint8_t> clLengths(19, 0);
  for (unsigned s = 0; s < 16; ++s) clLengths[s] = 4;
  for (uint8_t s : kOrder) Bits(clLengths[s], 3);
  std::vector<uint32_t> clCodes = CanonicalCodes(clLengths);
  for (uint8_t len : litlenLengths) Code(clCodes, clLengths, len);
  for (uint8_t len : distLengths) Code(clCodes, clLengths, len);
  Symbols(litlenLengths, distLengths, tokens);
}

void DeflateWriter::Symbols(const std::vector<uint8_t>& litlenLengths,
                            const std::vector<uint8_t>& distLengths,
                            const std::vector<Token>& tokens) {
  std::vector<uint32_t> litCodes = CanonicalCodes(litlenLengths);
  std::vector<uint32_t> distCodes = CanonicalCodes(distLengths);
  for (const Token& t : tokens) {
    if (t.length == 0) {
      Code(litCodes, litlenLengths, t.valueOrDistance);
      continue;
    }
    unsigned lc = t.viaCode284 ? 27 : LengthCode(t.length);
    Code(litCodes, litlenLengths, 257 + lc);
    Bits(t.length - kLengthBase[lc], LengthExtraBits(lc));
    unsigned dc = DistCode(t.valueOrDistance);
    Code(distCodes, distLengths, dc);
    Bits(t.valueOrDistance - kDistBase[dc], DistExtraBits(dc));
  }
  Code(litCodes, litlenLengths, 256);
}

std::vector<uint8_t> DeflateWriter::Finish() {
  if (pendingBits_) Bits(0, 8 - pendingBits_);
  return bytes_;
}

}  // namespace inflate_test
