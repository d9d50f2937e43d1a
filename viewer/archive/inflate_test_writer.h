// Test helper: a small deflate writer that emits exactly the blocks a test asks for (stored,
// fixed, or dynamic with chosen code lengths), so the inflater's tests control every code,
// length and distance.  Built from RFC 1951 independently of the decoder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace inflate_test {

// A literal (length 0) or a match of `length` bytes `distance` back.
struct Token {
  uint16_t length;
  uint16_t valueOrDistance;
  bool viaCode284 = false;  // length 258 written as code 284 with extra bits 31
  static Token Literal(uint8_t b) { return {0, b}; }
  static Token Match(uint16_t length, uint16_t distance) { return {length, distance}; }
  static Token Match258ViaCode284(uint16_t distance) { return {258, distance, true}; }
};

class DeflateWriter {
 public:
  // Raw bits, least significant first.
  void Bits(uint32_t value, unsigned count);
  void StoredBlock(const std::vector<uint8_t>& data, bool last);
  // A fixed-code block of the tokens and its end-of-block code.
  void FixedBlock(const std::vector<Token>& tokens, bool last);
  // A dynamic block with the given code lengths (286+ litlen, 1..32 distance), header written
  // with a code-length code of sixteen 4-bit codes (no repeat codes).
  void DynamicBlock(const std::vector<uint8_t>& litlenLengths,
                    const std::vector<uint8_t>& distLengths, const std::vector<Token>& tokens,
                    bool last);
  // The symbols of a block with the given codes (used by DynamicBlock and FixedBlock).
  void Symbols(const std::vector<uint8_t>& litlenLengths, const std::vector<uint8_t>& distLengths,
               const std::vector<Token>& tokens);
  // Pads to a byte boundary and returns the stream.
  std::vector<uint8_t> Finish();

 private:
  void Code(const std::vector<uint32_t>& codes, const std::vector<uint8_t>& lengths,
            unsigned symbol);
  std::vector<uint8_t> bytes_;
  uint64_t pending_ = 0;
  unsigned pendingBits_ = 0;
};

std::vector<uint8_t> FixedLitlenLengths();
std::vector<uint8_t> FixedDistLengths();
// Canonical codes (MSB-first values) for code lengths.
std::vector<uint32_t> CanonicalCodes(const std::vector<uint8_t>& lengths);
// One literal token per byte.
std::vector<Token> Literals(const std::vector<uint8_t>& bytes);
// Applies tokens to `out` the simple way (the expected decoder output).
void ApplyTokens(const std::vector<Token>& tokens, std::vector<uint8_t>& out);

}  // namespace inflate_test
