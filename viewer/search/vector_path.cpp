// Which vector paths this build and processor have (see the header).
#include "viewer/search/vector_path.h"

#include <initializer_list>

bool VectorPathAvailable(VectorPath path) {
  switch (path) {
    case VectorPath::kPortable:
      return true;
    case VectorPath::kSse2:
#ifdef __SSE2__
      return true;
#else
      return false;
#endif
    case VectorPath::kAvx2:
#if SEARCH_VECTOR_AVX2
      static const bool hasAvx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
      return hasAvx2;
#else
      return false;
#endif
  }
  return false;
}

VectorPath FastestVectorPath() {
  for (VectorPath path : {VectorPath::kAvx2, VectorPath::kSse2}) {
    if (VectorPathAvailable(path)) return path;
  }
  return VectorPath::kPortable;
}
