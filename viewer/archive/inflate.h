// Inflater: decodes a raw deflate stream (RFC 1951: stored, fixed and dynamic Huffman blocks)
// held in memory into an output block of known size.  Everything in the stream is untrusted:
// the decoder never reads outside the input, never writes outside the output and reports
// damaged data as a result code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

// Why a deflate stream stopped: the inflater's own detail, which the ZIP reader turns into an
// ArchiveResult (kNoMemory, or kBroken for every kind of damage) and tools print.
enum class InflateResult {
  kOk,
  kBadData,        // bad stored length, invalid code, bad code-length sequence
  kBadCodes,       // block type 3 or an over-subscribed code
  kTableFull,      // a code needs more table entries than its table has (never for a valid stream)
  kNoMemory,
  kTruncated,      // the input ends inside the stream
  kOutputFull,     // the stream produces more than the output holds
  kDistanceTooFar, // a match reaches before the start of the output
};

struct InflateTables;

class Inflater {
 public:
  Inflater();
  ~Inflater();
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  // False when the tables could not be allocated.
  bool IsReady() const { return tables_ != nullptr; }
  // With false, every block is decoded by the careful loop alone (for checking the fast loop,
  // which must give the same bytes and results).
  void UseFastLoop(bool use) { fastLoop_ = use; }
  // With true, Inflate also computes the CRC-32 of what it writes, one block at a time right
  // after the block is decoded, while its bytes are still in the cache (OutputCrc32 gives it).
  void ComputeOutputCrc32(bool compute) { computeCrc_ = compute; }
  // The CRC-32 of the bytes the last Inflate call wrote (0 when it was not asked to compute it).
  uint32_t OutputCrc32() const { return outputCrc_; }

  // Decodes `input` into `output` until the last block ends.  *produced receives the bytes
  // written, also when the result is an error (the output then holds what was decoded).
  // *consumed, when given, receives the input bytes the stream took up to the byte boundary
  // after its last block (what follows a stream in a gzip member starts there).
  [[nodiscard]] InflateResult Inflate(const uint8_t* input, size_t inputSize, uint8_t* output,
                                      size_t outputSize, size_t* produced, size_t* consumed = nullptr);

 private:
  std::unique_ptr<InflateTables> tables_;
  bool fastLoop_ = true;
  bool computeCrc_ = false;
  uint32_t outputCrc_ = 0;
};

// Human-readable reason for an InflateResult (ASCII, for tools and logs).
const char* InflateResultText(InflateResult result);
