// RegexMatch: the backtracking interpreter of the byte program at one start position, and the
// first-use rewriting of MaybeFinalizeJump into Jump or FinalizeJump.
#include <algorithm>

#include "text/sjis.h"
#include "viewer/search/regex.h"
#include "viewer/search/regex_failure_stack.h"
#include "viewer/search/regex_matcher.h"
#include "viewer/search/regex_program.h"

namespace {

using regex_program::ClassAccepts;
using regex_program::JumpTarget;

constexpr int kBackRefGroups = 10;
// How many of the newest failure points an empty-iteration check looks at.
constexpr int kLoopPointSearchDepth = 64;

// First character of the code at `at` after the loop: LF for LineEnd, the 16-bit value of a
// double-byte literal, else its first byte.  False when the code there is something else.
bool FollowingChar(const uint8_t* program, int at, uint16_t& c) {
  if (program[at] == RegexOp::LineEnd) {
    c = '\n';
    return true;
  }
  if (program[at] != RegexOp::Literal) return false;
  const uint8_t* bytes = program + at + 2;
  c = (IsSjisLead(bytes[0]) && program[at + 1] >= 2) ? static_cast<uint16_t>((bytes[0] << 8) | bytes[1]) : bytes[0];
  return true;
}

// Rewrites the MaybeFinalizeJump at `at`: FinalizeJump when what follows the loop cannot begin
// where the loop body begins (so the loop's failure point will never be needed), else Jump.
void RewriteMaybeFinalizeJump(uint8_t* program, int used, int at) {
  int after = at + 3;
  while (after < used && (program[after] == RegexOp::GroupStart || program[after] == RegexOp::GroupEnd)) after += 2;
  bool finalize = after >= used;
  uint16_t c = 0;
  if (!finalize && FollowingChar(program, after, c)) {
    int body = JumpTarget(program, at) + 3;
    uint8_t first = static_cast<uint8_t>(c > 0xFF ? c >> 8 : c);
    if (program[body] == RegexOp::Literal) {
      finalize = program[body + 2] != first;
    } else if (program[body] == RegexOp::Class || program[body] == RegexOp::NotClass) {
      finalize = !ClassAccepts(program, body, c);
    }
  }
  program[at] = finalize ? RegexOp::FinalizeJump : RegexOp::Jump;
}

class Matcher {
 public:
  Matcher(RegexBuffer& buffer, const uint8_t* text, int length, int start, int64_t& steps)
      : program_(buffer.Program()),
        used_(buffer.Used),
        fold_(TextTablesFor(buffer).folded),
        foldSet_(buffer.Fold != nullptr),
        text_(text),
        length_(length),
        start_(start),
        steps_(steps) {
    std::fill(groupStart_, groupStart_ + kBackRefGroups, -1);
    std::fill(groupEnd_, groupEnd_ + kBackRefGroups, -1);
    std::fill(openedAt_, openedAt_ + kBackRefGroups, -1);
  }

  int Run(RegexRegisters* registers) {
    ip_ = 0;
    d_ = start_;
    while (true) {
      if (--steps_ < 0) return -2;
      if (ip_ >= used_) return Succeed(registers);
      int step = Step();
      if (step == kGiveUp) return -2;
      if (step == kFailed && !Backtrack()) return -1;
    }
  }

 private:
  static constexpr int kGoOn = 0;
  static constexpr int kFailed = 1;
  static constexpr int kGiveUp = 2;

  int Succeed(RegexRegisters* registers) {
    if (registers != nullptr) {
      registers->start[0] = start_;
      registers->end[0] = d_;
      for (int g = 1; g < 3; ++g) {
        bool set = groupEnd_[g] >= 0;
        registers->start[g] = set ? groupStart_[g] : -1;
        registers->end[g] = set ? groupEnd_[g] : -1;
      }
    }
    return d_ - start_;
  }

  bool Backtrack() {
    while (!failures_.Empty()) {
      FailurePoint point = failures_.Pop();
      if (point.ip < 0) continue;
      ip_ = point.ip;
      d_ = point.d;
      return true;
    }
    return false;
  }

  int Step() {
    uint8_t op = program_[ip_];
    switch (op) {
      case RegexOp::Literal: return MatchLiteral();
      case RegexOp::AnyChar: return MatchAnyChar();
      case RegexOp::Class:
      case RegexOp::NotClass: return MatchClass();
      case RegexOp::LineStart:
      case RegexOp::TextStart: ip_ += 1; return d_ == 0 ? kGoOn : kFailed;
      case RegexOp::LineEnd:
      case RegexOp::TextEnd: ip_ += 1; return d_ == length_ ? kGoOn : kFailed;
      case RegexOp::GroupStart: openedAt_[program_[ip_ + 1] % kBackRefGroups] = d_; ip_ += 2; return kGoOn;
      case RegexOp::GroupEnd: CloseGroup(program_[ip_ + 1] % kBackRefGroups); return kGoOn;
      case RegexOp::BackRef: return MatchBackRef();
      case RegexOp::WordChar:
      case RegexOp::NotWordChar: {
        bool want = op == RegexOp::WordChar;
        ip_ += 1;
        if (d_ >= length_ || (WordTable[text_[d_]] != 0) != want) return kFailed;
        ++d_;
        return kGoOn;
      }
      case RegexOp::WordStart:
      case RegexOp::WordEnd:
      case RegexOp::WordBoundary:
      case RegexOp::NotWordBoundary: ip_ += 1; return AtWordPosition(op) ? kGoOn : kFailed;
      case RegexOp::OnFailureJump:
        if (!failures_.Push(JumpTarget(program_, ip_), d_, true)) return kGiveUp;
        ip_ += 3;
        return kGoOn;
      case RegexOp::DummyFailureJump:
        failures_.Push(-1, d_, false);
        ip_ = JumpTarget(program_, ip_);
        return kGoOn;
      case RegexOp::MaybeFinalizeJump:
        RewriteMaybeFinalizeJump(program_, used_, ip_);
        return kGoOn;  // executes in its new form next
      case RegexOp::FinalizeJump: return FinalizeJump();
      case RegexOp::Jump: return TakeJump();
      default: ip_ += 1; return kGoOn;
    }
  }

  // A group's start is taken over only when the group closes, so a pass that began the group
  // and then failed leaves the last complete pass in place.
  void CloseGroup(int group) {
    groupStart_[group] = openedAt_[group];
    groupEnd_[group] = d_;
    ip_ += 2;
  }

  int MatchLiteral() {
    int count = program_[ip_ + 1];
    const uint8_t* pattern = program_ + ip_ + 2;
    ip_ += 2 + count;
    for (int i = 0; i < count;) {
      if (d_ >= length_) return kFailed;
      uint8_t t = text_[d_];
      if (IsSjisLead(t) && count - i >= 2) {
        if (d_ + 1 >= length_ || t != pattern[i] || text_[d_ + 1] != pattern[i + 1]) return kFailed;
        d_ += 2;
        i += 2;
      } else {
        if (fold_[t] != pattern[i]) return kFailed;
        ++d_;
        ++i;
      }
    }
    return kGoOn;
  }

  // The character at d: its value and byte size, or false at a lead byte that ends the text.
  bool CharAt(uint16_t& c, int& size) const {
    if (d_ >= length_) return false;
    uint8_t t = text_[d_];
    if (IsSjisLead(t)) {
      if (d_ + 1 >= length_) return false;
      c = static_cast<uint16_t>((t << 8) | text_[d_ + 1]);
      size = 2;
      return true;
    }
    c = fold_[t];
    size = 1;
    return true;
  }

  int MatchAnyChar() {
    ip_ += 1;
    uint16_t c;
    int size;
    if (!CharAt(c, size) || c == '\n') return kFailed;
    d_ += size;
    return kGoOn;
  }

  int MatchClass() {
    int at = ip_;
    ip_ += 3 + regex_program::ClassLength(program_, at);
    uint16_t c;
    int size;
    if (!CharAt(c, size) || !ClassAccepts(program_, at, c)) return kFailed;
    d_ += size;
    return kGoOn;
  }

  // A reference to a group that has not matched on this path (or to a group from 3 on, which
  // records nothing) matches the empty string.
  int MatchBackRef() {
    int group = program_[ip_ + 1] % kBackRefGroups;
    ip_ += 2;
    int from = groupStart_[group];
    int to = groupEnd_[group];
    if (from < 0 || to < from) return kGoOn;
    int n = to - from;
    if (n > length_ - d_) return kFailed;
    for (int i = 0; i < n; ++i) {
      uint8_t a = text_[from + i];
      uint8_t b = text_[d_ + i];
      if (foldSet_ ? fold_[a] != fold_[b] : a != b) return kFailed;
    }
    d_ += n;
    return kGoOn;
  }

  bool WordBefore() const { return d_ > 0 && WordTable[text_[d_ - 1]]; }
  bool WordAfter() const { return d_ < length_ && WordTable[text_[d_]]; }

  bool AtWordPosition(uint8_t op) const {
    bool atStart = d_ == 0;
    bool atEnd = d_ >= length_;
    switch (op) {
      case RegexOp::WordStart: return WordAfter() && !WordBefore();
      case RegexOp::WordEnd: return WordBefore() && !WordAfter();
      case RegexOp::WordBoundary: return atStart || atEnd || WordBefore() != WordAfter();
      default: return !atStart && !atEnd && WordBefore() == WordAfter();
    }
  }

  // For a backward jump to a loop's OnFailureJump: the loop's exit, else -1.
  int LoopExit(int target) const {
    if (target >= ip_ || target < 0 || program_[target] != RegexOp::OnFailureJump) return -1;
    return JumpTarget(program_, target);
  }

  int FinalizeJump() {
    int target = JumpTarget(program_, ip_);
    FailurePoint dropped{-1, -1};
    if (!failures_.Empty()) dropped = failures_.Pop();
    int exit = LoopExit(target);
    // An iteration that consumed nothing ends the loop instead of repeating it for ever.
    ip_ = (exit >= 0 && dropped.ip == exit && dropped.d == d_) ? exit : target;
    return kGoOn;
  }

  int TakeJump() {
    int target = JumpTarget(program_, ip_);
    int exit = LoopExit(target);
    ip_ = target;
    if (exit < 0) return kGoOn;
    int depth = std::min(failures_.Size(), kLoopPointSearchDepth);
    for (int i = 0; i < depth; ++i) {
      const FailurePoint& point = failures_.FromTop(i);
      if (point.ip != exit) continue;
      if (point.d == d_) ip_ = exit;  // the iteration consumed nothing: leave the loop
      break;
    }
    return kGoOn;
  }

  uint8_t* program_;
  int used_;
  const uint8_t* fold_;
  bool foldSet_;
  const uint8_t* text_;
  int length_;
  int start_;
  int64_t& steps_;
  int ip_ = 0;
  int d_ = 0;
  FailureStack failures_;
  int groupStart_[kBackRefGroups];
  int groupEnd_[kBackRefGroups];
  int openedAt_[kBackRefGroups];
};

}  // namespace

int MatchAt(RegexBuffer& buffer, const uint8_t* text, int length, int start, RegexRegisters* registers,
            int64_t& steps) {
  if (buffer.Program() == nullptr || start < 0 || start > length) return -1;
  return Matcher(buffer, text, length, start, steps).Run(registers);
}

int RegexMatch(RegexBuffer& buffer, const char* text, int length, int start, RegexRegisters* registers) {
  int64_t steps = kAttemptStepLimit;
  return MatchAt(buffer, reinterpret_cast<const uint8_t*>(text), length, start, registers, steps);
}
