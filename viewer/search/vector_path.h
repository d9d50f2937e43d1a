// The ways the search's scans compare bytes: 32 at once with AVX2 (chosen at run time where the
// processor has it), sixteen with SSE2, or one at a time.  Every path gives the same results;
// the tests hold each against the portable one.
#pragma once

// AVX2 code is built on x86 with GCC or clang, but not for Windows: there the compilers keep the
// stack 16-byte aligned only, and a 32-byte vector spilled to it would fault.  The AVX2 path
// counts bits with POPCNT as well (every processor with AVX2 has it; both are checked).
#if (defined(__x86_64__) || defined(__i386__)) && !defined(_WIN32) && (defined(__GNUC__) || defined(__clang__))
#define SEARCH_VECTOR_AVX2 1
#define SEARCH_TARGET_AVX2 __attribute__((target("avx2,popcnt")))
#else
#define SEARCH_VECTOR_AVX2 0
#endif

enum class VectorPath { kPortable, kSse2, kAvx2 };

// Whether this build and processor can take `path`.
bool VectorPathAvailable(VectorPath path);
// The fastest available path.
VectorPath FastestVectorPath();
