// CompileRegex: turns a pattern into the byte program.  Positions held while compiling are
// offsets into the program, so they survive its growth (doubling from 40 up to 8192 bytes).
#include <cstring>

#include "text/sjis.h"
#include "viewer/search/regex.h"

namespace {

constexpr int kMaxOpenGroups = 10;
constexpr int kRecordedGroups = 3;  // groups 1 and 2 record their positions
constexpr int kMaxLiteralCount = 127;
constexpr int kRoomPerElement = 20;
constexpr int kRoomForClass = 7;
constexpr int kRoomPerClassItem = 10;

struct OpenGroup {
  int offset;        // the group's first instruction
  int fixupPlusOne;  // the enclosing level's pending fix-up jump + 1, 0 for none
  int number;
  int alternativeStart;
};

// One pattern character: 1 byte (folded) or a double-byte character.
struct PatternChar {
  uint8_t bytes[2];
  int size;
  uint16_t Value() const { return size == 2 ? static_cast<uint16_t>((bytes[0] << 8) | bytes[1]) : bytes[0]; }
};

class RegexCompiler {
 public:
  RegexCompiler(const char* pattern, int length, RegexBuffer& buffer)
      : buffer_(buffer),
        p_(reinterpret_cast<const uint8_t*>(pattern)),
        end_(reinterpret_cast<const uint8_t*>(pattern) + (length > 0 ? length : 0)) {}

  bool Run() {
    while (p_ < end_) {
      if (!Reserve(kRoomPerElement) || !CompileElement()) return false;
    }
    if (fixupJump_ >= 0) StoreJump(fixupJump_, RegexOp::Jump, b_);
    if (depth_ > 0) return false;
    buffer_.Used = b_;
    return true;
  }

 private:
  uint8_t* program() { return buffer_.Program(); }
  uint8_t Fold(uint8_t c) const { return buffer_.Fold ? static_cast<uint8_t>(buffer_.Fold(c)) : c; }

  bool Reserve(int room) {
    MemoryBlock& block = buffer_.ProgramBlock;
    if (block.Size() == 0 && !block.Allocate(kRegexInitialProgramSize, false)) return false;
    while (buffer_.Allocated() - b_ < room) {
      if (buffer_.Allocated() >= kRegexMaxProgramSize) return false;
      int grown = buffer_.Allocated() * 2 < kRegexMaxProgramSize ? buffer_.Allocated() * 2 : kRegexMaxProgramSize;
      if (!block.Resize(size_t(grown))) return false;
    }
    return true;
  }

  void Emit(uint8_t byte) { program()[b_++] = byte; }

  void StoreJump(int at, uint8_t op, int target) {
    int offset = target - (at + 3);
    program()[at] = op;
    program()[at + 1] = static_cast<uint8_t>(offset & 0xFF);
    program()[at + 2] = static_cast<uint8_t>((offset >> 8) & 0xFF);
  }

  // Opens 3 bytes at `at` (the code after it moves up) and stores a jump there.
  void InsertJump(uint8_t op, int at, int target) {
    std::memmove(program() + at + 3, program() + at, b_ - at);
    b_ += 3;
    StoreJump(at, op, target);
  }

  // Reads one character; single bytes are folded when `fold` is set.  False at a lead byte
  // that ends the pattern.
  bool ReadChar(PatternChar& c, bool fold) {
    uint8_t first = *p_++;
    if (IsSjisLead(first)) {
      if (p_ >= end_) return false;
      c = {{first, *p_++}, 2};
      return true;
    }
    c = {{fold ? Fold(first) : first, 0}, 1};
    return true;
  }

  bool CompileElement() {
    if (IsSjisLead(*p_)) {
      PatternChar c;
      if (!ReadChar(c, false)) return false;
      CompileLiteral(c);
      return true;
    }
    uint8_t c = Fold(*p_++);
    switch (c) {
      case '^': Emit(RegexOp::LineStart); return true;
      case '$': Emit(RegexOp::LineEnd); return true;
      case '.': laststart_ = b_; Emit(RegexOp::AnyChar); return true;
      case '[': return CompileClass();
      case '(': return OpenGroupHere();
      case ')': return CloseGroup();
      case '|':
      case '\n': CompileAlternation(); return true;
      case '*':
      case '+':
      case '?': CompileRepetition(c); return true;
      case '\\': return CompileEscape();
      default: CompileLiteral(PatternChar{{c, 0}, 1}); return true;
    }
  }

  void CompileLiteral(const PatternChar& c) {
    bool nextRepeats = p_ < end_ && (*p_ == '*' || *p_ == '^' || *p_ == '+' || *p_ == '?');
    bool extend = pendingLiteral_ >= 0 && pendingLiteral_ + 2 + program()[pendingLiteral_ + 1] == b_ &&
                  program()[pendingLiteral_ + 1] != kMaxLiteralCount && !nextRepeats;
    if (!extend) {
      laststart_ = b_;
      pendingLiteral_ = b_;
      Emit(RegexOp::Literal);
      Emit(0);
    }
    for (int i = 0; i < c.size; ++i) Emit(c.bytes[i]);
    program()[pendingLiteral_ + 1] = static_cast<uint8_t>(program()[pendingLiteral_ + 1] + c.size);
  }

  void CompileRepetition(uint8_t first) {
    bool zero = first != '+';
    bool many = first != '?';
    while (p_ < end_ && (*p_ == '*' || *p_ == '+' || *p_ == '?')) {
      zero |= *p_ != '+';
      many |= *p_ != '?';
      ++p_;
    }
    if (laststart_ < 0) return;
    if (many) {
      StoreJump(b_, RegexOp::MaybeFinalizeJump, laststart_ - 3);
      b_ += 3;
    }
    InsertJump(RegexOp::OnFailureJump, laststart_, b_ + 3);
    if (!zero) InsertJump(RegexOp::DummyFailureJump, laststart_, laststart_ + 6);
    pendingLiteral_ = -1;
  }

  void CompileAlternation() {
    InsertJump(RegexOp::OnFailureJump, alternativeStart_, b_ + 6);
    pendingLiteral_ = -1;
    if (fixupJump_ >= 0) StoreJump(fixupJump_, RegexOp::Jump, b_);
    fixupJump_ = b_;
    StoreJump(b_, RegexOp::Jump, b_ + 3);  // aimed later
    b_ += 3;
    laststart_ = -1;
    alternativeStart_ = b_;
  }

  bool OpenGroupHere() {
    if (depth_ == kMaxOpenGroups) return false;
    OpenGroup& group = groups_[depth_++];
    group = {b_, fixupJump_ + 1, groupNumber_, alternativeStart_};
    if (groupNumber_ < kRecordedGroups) {
      Emit(RegexOp::GroupStart);
      Emit(static_cast<uint8_t>(groupNumber_));
    }
    fixupJump_ = -1;
    laststart_ = -1;
    alternativeStart_ = b_;
    ++groupNumber_;
    return true;
  }

  bool CloseGroup() {
    if (depth_ == 0) return false;
    const OpenGroup& group = groups_[--depth_];
    alternativeStart_ = group.alternativeStart;
    if (fixupJump_ >= 0) StoreJump(fixupJump_, RegexOp::Jump, b_);
    if (group.number < kRecordedGroups) {
      Emit(RegexOp::GroupEnd);
      Emit(static_cast<uint8_t>(group.number));
    }
    fixupJump_ = group.fixupPlusOne - 1;
    laststart_ = group.offset;
    pendingLiteral_ = -1;
    return true;
  }

  bool GroupIsClosed(int number) const {
    if (number >= groupNumber_) return false;
    for (int i = 0; i < depth_; ++i) {
      if (groups_[i].number == number) return false;
    }
    return true;
  }

  bool CompileEscape() {
    if (p_ >= end_) return false;
    PatternChar c;
    if (!ReadChar(c, false)) return false;
    if (c.size == 2) {
      CompileLiteral(c);
      return true;
    }
    uint8_t op = 0;
    switch (c.bytes[0]) {
      case 'w': op = RegexOp::WordChar; break;
      case 'W': op = RegexOp::NotWordChar; break;
      case '<': op = RegexOp::WordStart; break;
      case '>': op = RegexOp::WordEnd; break;
      case 'b': op = RegexOp::WordBoundary; break;
      case 'B': op = RegexOp::NotWordBoundary; break;
      case '`': op = RegexOp::TextStart; break;
      case '\'': op = RegexOp::TextEnd; break;
      case 't': CompileLiteral(PatternChar{{'\t', 0}, 1}); return true;
      default: break;
    }
    if (op == RegexOp::WordChar || op == RegexOp::NotWordChar) laststart_ = b_;
    if (op != 0) {
      Emit(op);
      return true;
    }
    uint8_t digit = c.bytes[0];
    if (digit >= '1' && digit <= '9' && GroupIsClosed(digit - '0')) {
      laststart_ = b_;
      Emit(RegexOp::BackRef);
      Emit(static_cast<uint8_t>(digit - '0'));
      return true;
    }
    CompileLiteral(PatternChar{{Fold(digit), 0}, 1});
    return true;
  }

  void EmitClassChar(const PatternChar& c) {
    Emit(RegexOp::ClassChar);
    for (int i = 0; i < c.size; ++i) Emit(c.bytes[i]);
  }

  void EmitClassRange(const PatternChar& low, const PatternChar& high) {
    Emit(RegexOp::ClassRange);
    Emit(static_cast<uint8_t>(low.Value() >> 8));
    Emit(static_cast<uint8_t>(low.Value() & 0xFF));
    Emit(static_cast<uint8_t>(high.Value() >> 8));
    Emit(static_cast<uint8_t>(high.Value() & 0xFF));
  }

  bool CompileClass() {
    if (!Reserve(kRoomForClass)) return false;
    laststart_ = b_;
    int classAt = b_;
    bool negated = p_ < end_ && *p_ == '^';
    if (negated) ++p_;
    Emit(negated ? RegexOp::NotClass : RegexOp::Class);
    Emit(0);
    Emit(0);
    for (bool first = true;; first = false) {
      if (p_ >= end_ || !Reserve(kRoomPerClassItem)) return false;
      if (*p_ == ']' && !first) {
        ++p_;
        break;
      }
      PatternChar low;
      if (!ReadChar(low, true)) return false;
      bool range = end_ - p_ >= 2 && p_[0] == '-' && p_[1] != ']';
      if (!range) {
        EmitClassChar(low);
        continue;
      }
      ++p_;
      PatternChar high;
      if (!ReadChar(high, true)) return false;
      EmitClassRange(low, high);
    }
    Emit(RegexOp::ClassEnd);
    int length = b_ - (classAt + 3);
    program()[classAt + 1] = static_cast<uint8_t>(length >> 8);
    program()[classAt + 2] = static_cast<uint8_t>(length & 0xFF);
    pendingLiteral_ = -1;
    return true;
  }

  RegexBuffer& buffer_;
  const uint8_t* p_;
  const uint8_t* end_;
  int b_ = 0;
  int laststart_ = -1;
  int pendingLiteral_ = -1;
  int alternativeStart_ = 0;
  int fixupJump_ = -1;
  int groupNumber_ = 1;
  OpenGroup groups_[kMaxOpenGroups] = {};
  int depth_ = 0;
};

}  // namespace

bool CompileRegex(const char* pattern, int length, RegexBuffer& buffer) {
  buffer.MapValid = 0;
  buffer.TextTables.valid = false;
  buffer.Used = 0;
  ++buffer.Compiles;
  RegexCompiler compiler(pattern, length, buffer);
  if (!compiler.Run()) {
    buffer.Used = 0;
    return false;
  }
  return true;
}
