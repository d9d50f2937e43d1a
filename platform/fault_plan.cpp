// The fault plan: one process-wide set of counters, armed by tests only.
#include "platform/fault_plan.h"

#include <algorithm>

namespace faults {
namespace {

struct Plan {
  bool counting = false;
  Operation target = Operation::kOpen;
  int64_t failAt = 0;  // 0: nothing fails
  uint32_t readLimit = 0;  // 0: reads are not shortened
  int64_t calls[kOperationCount] = {};
  bool injected = false;
};

Plan plan;

}  // namespace

void FailNth(Operation operation, int64_t n) {
  plan = Plan();
  plan.counting = true;
  plan.target = operation;
  plan.failAt = n;
}

void ShortenReads(uint32_t most) {
  plan.counting = true;
  plan.readLimit = std::max<uint32_t>(most, 1);
}

void Disarm() {
  plan.failAt = 0;
  plan.readLimit = 0;
}

int64_t Calls(Operation operation) { return plan.calls[int(operation)]; }

bool Injected() { return plan.injected; }

bool Fails(Operation operation) {
  if (!plan.counting) return false;
  int64_t call = ++plan.calls[int(operation)];
  if (plan.failAt == 0 || operation != plan.target || call != plan.failAt) return false;
  plan.injected = true;
  return true;
}

uint32_t ReadLimit(uint32_t count) {
  return plan.readLimit == 0 ? count : std::min(count, plan.readLimit);
}

}  // namespace faults
