// PlanRegex.  A Literal instruction is in every match when no jump before it (a jump, a
// failure point's target or a loop's exit) lands past it: every path to the end of the program
// then runs it, and it matches bytes of the row text.
// Giving up: the matcher explores a tree of paths.  Without loops each path runs every
// instruction at most once and only failure points branch, so an attempt takes at most
// 2^branches * instructions steps.  With one loop whose body has no jumps, every iteration but
// the first consumes a byte (an empty one leaves the loop), so each choice of the other branches
// gives a comb: the way in, at most rows + 2 iterations, and the rest of the program after each.
// Anything else (nested or several loops) may take too many steps for any bound worth having.
#include "viewer/search/regex_plan.h"

#include <algorithm>

#include "viewer/document/document.h"
#include "viewer/search/regex_failure_stack.h"
#include "viewer/search/regex_matcher.h"
#include "viewer/search/regex_program.h"

namespace {

using regex_program::ClassLength;
using regex_program::JumpTarget;

bool IsJump(uint8_t op) { return op >= RegexOp::Jump && op <= RegexOp::DummyFailureJump; }

// Size of the instruction at `at`, or 0 for something the plan does not know.
int InstructionSize(const uint8_t* program, int at, int used) {
  uint8_t op = program[at];
  int size = 0;
  if (op == RegexOp::Literal) {
    size = at + 1 < used ? 2 + program[at + 1] : 0;
  } else if (IsJump(op)) {
    size = 3;
  } else if (op == RegexOp::Class || op == RegexOp::NotClass) {
    size = at + 2 < used ? 3 + ClassLength(program, at) : 0;
  } else if (op == RegexOp::GroupStart || op == RegexOp::GroupEnd || op == RegexOp::BackRef) {
    size = 2;
  } else if (op == RegexOp::LineStart || op == RegexOp::LineEnd || op == RegexOp::AnyChar ||
             (op >= RegexOp::TextStart && op <= RegexOp::NotWordBoundary)) {
    size = 1;
  }
  return at + size <= used ? size : 0;
}

struct ProgramShape {
  int instructions = 0;
  int branches = 0;       // OnFailureJump instructions
  int emptyPoints = 0;    // DummyFailureJump instructions
  int loops = 0;          // backward jumps
  int loopStart = -1;     // target of the (last) backward jump
  int loopEnd = -1;       // where that jump stands
  bool known = true;
};

ProgramShape ShapeOf(const uint8_t* program, int used) {
  ProgramShape shape;
  for (int at = 0, size; at < used; at += size) {
    size = InstructionSize(program, at, used);
    if (size == 0) {
      shape.known = false;
      return shape;
    }
    ++shape.instructions;
    uint8_t op = program[at];
    shape.branches += op == RegexOp::OnFailureJump;
    shape.emptyPoints += op == RegexOp::DummyFailureJump;
    if (IsJump(op) && JumpTarget(program, at) <= at) {
      ++shape.loops;
      shape.loopStart = JumpTarget(program, at);
      shape.loopEnd = at;
    }
  }
  return shape;
}

// Instructions in the loop body after its OnFailureJump, or -1 when the body holds a jump.
int LoopBodySize(const uint8_t* program, int used, const ProgramShape& shape) {
  if (shape.loopStart < 0 || program[shape.loopStart] != RegexOp::OnFailureJump) return -1;
  int count = 0;
  for (int at = shape.loopStart + 3; at < shape.loopEnd; at += InstructionSize(program, at, used)) {
    if (IsJump(program[at]) || InstructionSize(program, at, used) == 0) return -1;
    ++count;
  }
  return count;
}

bool CannotGiveUp(const uint8_t* program, int used) {
  ProgramShape shape = ShapeOf(program, used);
  if (!shape.known || shape.loops > 1) return false;
  const int64_t rows = kMaxRowBytes + 2;  // iterations of a loop, start positions of a search
  int64_t attempt = 0;
  int64_t points = shape.branches + shape.emptyPoints;
  int otherBranches = shape.branches - shape.loops;
  if (otherBranches > 20) return false;
  if (shape.loops == 0) {
    attempt = (int64_t(1) << otherBranches) * shape.instructions;
  } else {
    int body = LoopBodySize(program, used, shape);
    if (body < 0) return false;
    // Each iteration: the body, its OnFailureJump, the closing jump and its first rewriting.
    int64_t iteration = body + 3;
    attempt = (int64_t(1) << otherBranches) * (shape.instructions + rows * iteration + rows * shape.instructions);
    points += rows;
  }
  return attempt <= kAttemptStepLimit && attempt * rows <= kSearchStepLimit && points <= FailureStack::kGiveUpRoom;
}

bool IsRarer(const LiteralScan& a, const LiteralScan& b) {
  return a.Commonness() < b.Commonness() || (a.Commonness() == b.Commonness() && a.Length() > b.Length());
}

// Keeps the plan's literals sorted, rarest first, dropping the most common one when full.
void AddLiteral(RegexPlan& plan, const LiteralScan& literal) {
  int at = plan.literalCount;
  if (at == kPlanLiterals) {
    if (!IsRarer(literal, plan.literals[at - 1])) return;
    --at;
  } else {
    ++plan.literalCount;
  }
  for (; at > 0 && IsRarer(literal, plan.literals[at - 1]); --at) plan.literals[at] = plan.literals[at - 1];
  plan.literals[at] = literal;
}

}  // namespace

void PlanRegex(const RegexBuffer& buffer, RegexPlan& plan) {
  plan = RegexPlan();
  const uint8_t* program = buffer.Program();
  const int used = buffer.Used;
  if (program == nullptr || used <= 0) return;
  plan.anchored = program[0] == RegexOp::TextStart || program[0] == RegexOp::LineStart;
  plan.cannotGiveUp = CannotGiveUp(program, used);
  bool folds = buffer.Fold == FoldUpper;
  if (!folds && buffer.Fold != KeepCase && buffer.Fold != nullptr) return;
  int furthestTarget = 0;  // the furthest place a jump seen so far lands
  LiteralScan candidate;
  for (int at = 0, size; at < used; at += size) {
    size = InstructionSize(program, at, used);
    if (size == 0) return;
    if (IsJump(program[at])) furthestTarget = std::max(furthestTarget, JumpTarget(program, at));
    if (program[at] != RegexOp::Literal || furthestTarget > at || program[at + 1] == 0) continue;
    candidate.Build(program + at + 2, program[at + 1], folds);
    AddLiteral(plan, candidate);
  }
}
