// The alphabets of the static-Huffman LZH methods and the decoding tables sized from them:
// LzhHuffmanTable's template arguments come from here, so a table always fits its alphabet.
#pragma once

#include <algorithm>

// -lh4- to -lh7-: 256 literals and match lengths 3 to 256 (one alphabet of character codes), a
// code-length code of 19 symbols in each block header, and up to 17 position codes (-lh7-).
constexpr int kLzhLiteralCodes = 256;
constexpr int kLzhMatchLengthCodes = 254;
constexpr int kLzhCharCodes = kLzhLiteralCodes + kLzhMatchLengthCodes;
constexpr int kLzhCodeLengthCodes = 19;
constexpr int kLzhMaxPositionCodes = 17;
// -lh3-: 286 character codes (the last one escapes to 8 raw bits) and 128 position codes;
// -lh1- reads its positions through a fixed code of 64.
constexpr int kLh3CharCodes = 286;
constexpr int kLh3PositionCodes = 128;
constexpr int kLh1PositionCodes = 64;

// The longest code the block headers can give.
constexpr int kLzhMaxCodeBits = 16;

// The character table serves both character alphabets; the small table the code-length code
// and every position alphabet.
constexpr int kLzhCharTableSymbols = std::max(kLzhCharCodes, kLh3CharCodes);
constexpr int kLzhCharTableBits = 12;
constexpr int kLzhSmallTableSymbols =
    std::max({kLzhCodeLengthCodes, kLzhMaxPositionCodes, kLh3PositionCodes, kLh1PositionCodes});
constexpr int kLzhSmallTableBits = 8;
