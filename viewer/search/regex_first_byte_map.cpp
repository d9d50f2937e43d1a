// BuildFirstByteMap: the bytes a match can begin with (by folded value), and whether the
// pattern can match the empty string.  Walks every path from the program start up to the first
// instruction that consumes text.
#include <algorithm>
#include <cstring>
#include <vector>

#include "text/sjis.h"
#include "viewer/search/regex.h"
#include "viewer/search/regex_program.h"

namespace {

using regex_program::ClassLength;
using regex_program::JumpTarget;

// First byte of a class item's character: the high byte when it is not 0, else the low byte.
int FirstByteOf(const uint8_t* item) { return item[0] != 0 ? item[0] : item[1]; }

class FirstByteWalker {
 public:
  explicit FirstByteWalker(RegexBuffer& buffer)
      : buffer_(buffer), program_(buffer.Program()), used_(buffer.Used), visited_(buffer.Used + 1, 0) {}

  void Run() {
    std::memset(buffer_.FirstByteMap, 0, 256);
    buffer_.MapValid = 1;
    buffer_.CanBeEmpty = 0;
    pending_.push_back(0);
    while (!pending_.empty() && !stopped_) {
      int at = pending_.back();
      pending_.pop_back();
      Walk(at);
    }
  }

 private:
  uint8_t Fold(int b) const { return buffer_.Fold ? static_cast<uint8_t>(buffer_.Fold(static_cast<uint16_t>(b))) : static_cast<uint8_t>(b); }
  void Mark(int b) { buffer_.FirstByteMap[b] = 1; }
  void MarkAllButLineFeed() {
    for (int b = 0; b < 256; ++b) {
      if (b != '\n') Mark(b);
    }
  }

  // Follows one path until it consumes text, reaches the end or joins an already walked path.
  void Walk(int at) {
    while (true) {
      if (at >= used_) {
        buffer_.CanBeEmpty = 1;
        return;
      }
      if (visited_[at]) return;
      visited_[at] = 1;
      uint8_t op = program_[at];
      switch (op) {
        case RegexOp::Literal: Mark(Fold(program_[at + 2])); return;
        case RegexOp::LineEnd:
          Mark(Fold('\n'));
          if (buffer_.CanBeEmpty != 1) buffer_.CanBeEmpty = 2;
          return;
        case RegexOp::Class: MarkClass(at); return;
        case RegexOp::NotClass: MarkNotClass(at); return;
        case RegexOp::BackRef:
          buffer_.CanBeEmpty = 1;
          Mark('\n');
          [[fallthrough]];
        case RegexOp::AnyChar:
          MarkAllButLineFeed();
          if (buffer_.CanBeEmpty) stopped_ = true;
          return;
        case RegexOp::WordChar:
        case RegexOp::NotWordChar:
          for (int b = 0; b < 256; ++b) {
            if ((WordTable[b] != 0) == (op == RegexOp::WordChar)) Mark(b);
          }
          return;
        case RegexOp::Jump:
        case RegexOp::FinalizeJump:
        case RegexOp::MaybeFinalizeJump:
        case RegexOp::DummyFailureJump: at = FollowJump(at); break;
        case RegexOp::OnFailureJump:
          pending_.push_back(JumpTarget(program_, at));
          at += 3;
          break;
        case RegexOp::GroupStart:
        case RegexOp::GroupEnd: at += 2; break;
        default: at += 1; break;
      }
    }
  }

  // A backward jump closes a loop whose body matched nothing so far: go on past the loop.
  int FollowJump(int at) {
    int target = JumpTarget(program_, at);
    if (target < at && target >= 0 && program_[target] == RegexOp::OnFailureJump) return JumpTarget(program_, target);
    return target;
  }

  template <typename Visit>
  void ForEachItem(int at, Visit visit) {
    const uint8_t* p = program_ + at + 3;
    const uint8_t* end = p + ClassLength(program_, at);
    while (p < end) {
      if (*p == RegexOp::ClassChar) {
        bool twoBytes = IsSjisLead(p[1]);
        visit(p + 1, twoBytes, nullptr);
        p += twoBytes ? 3 : 2;
      } else if (*p == RegexOp::ClassRange) {
        visit(p + 1, false, p + 3);
        p += 5;
      } else {
        return;
      }
    }
  }

  static int ValueOf(const uint8_t* end) { return (end[0] << 8) | end[1]; }

  void MarkClass(int at) {
    ForEachItem(at, [this](const uint8_t* item, bool, const uint8_t* high) {
      if (high == nullptr) {
        Mark(Fold(item[0]));
        return;
      }
      for (int x = FirstByteOf(item); x <= FirstByteOf(high); ++x) Mark(Fold(x));
      // The first bytes between the ends' first bytes miss some when a range runs from a
      // single byte to a double-byte character: every single byte from the low end on, and
      // every lead byte up to the high end's, can begin a member.
      int low = ValueOf(item);
      int top = ValueOf(high);
      for (int x = low; x <= top && x < 256; ++x) Mark(Fold(x));
      for (int x = std::max(low >> 8, 0x81); x <= (top >> 8); ++x) Mark(Fold(x));
    });
  }

  // A byte is ruled out only when every character it can begin lies in the range: a single
  // byte inside it, or a lead byte whose 256 possible characters all do.
  static bool RangeHoldsEveryCharacterOf(int x, int low, int top) {
    if (IsSjisLead(static_cast<uint8_t>(x))) return low <= (x << 8) && ((x << 8) | 0xFF) <= top;
    return low <= x && x <= top;
  }

  void MarkNotClass(int at) {
    uint8_t scratch[256];
    std::memset(scratch, 1, sizeof scratch);
    ForEachItem(at, [this, &scratch](const uint8_t* item, bool twoBytes, const uint8_t* high) {
      if (high == nullptr) {
        if (!twoBytes) scratch[Fold(item[0])] = 0;
        return;
      }
      int low = ValueOf(item);
      int top = ValueOf(high);
      for (int x = FirstByteOf(item) + 1; x < FirstByteOf(high); ++x) {
        if (RangeHoldsEveryCharacterOf(x, low, top)) scratch[x] = 0;
      }
    });
    for (int b = 0; b < 256; ++b) {
      if (scratch[b]) Mark(b);
    }
  }

  RegexBuffer& buffer_;
  const uint8_t* program_;
  int used_;
  std::vector<uint8_t> visited_;
  std::vector<int> pending_;
  bool stopped_ = false;
};

}  // namespace

void BuildFirstByteMap(RegexBuffer& buffer) {
  FirstByteWalker(buffer).Run();
  buffer.TextTables.valid = false;
}
