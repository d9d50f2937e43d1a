// Faults a test injects into the file API and the allocator, so that every error path of the
// core can be reached: the n-th open, read, seek, write or allocation from now fails, or reads
// come back short.  Unarmed (always, outside tests) a check costs one load and a branch.
#pragma once

#include <cstdint>

namespace faults {

enum class Operation : uint8_t { kOpen, kRead, kSeek, kWrite, kAllocate };
constexpr int kOperationCount = 5;

// From now on, the n-th call (1 = the next one) of `operation` fails, and only that call;
// every operation's calls are counted from here.
void FailNth(Operation operation, int64_t n);
// From now on every read returns at most `most` bytes (at least 1): a short read, not an end.
void ShortenReads(uint32_t most);
// Back to no faults; the counts are kept until the next FailNth.
void Disarm();
// Calls of `operation` since the last FailNth (or Disarm): how many points a run has.
[[nodiscard]] int64_t Calls(Operation operation);
// True when a fault was injected since the last FailNth.
[[nodiscard]] bool Injected();

// Called by the file API and the allocator before each operation.
[[nodiscard]] bool Fails(Operation operation);
// The byte count a read may return now.
[[nodiscard]] uint32_t ReadLimit(uint32_t count);

}  // namespace faults
