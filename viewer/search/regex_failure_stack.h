// The matcher's failure points: room for 80 at first, doubling when full.  An OnFailureJump
// that finds the stack full with room for more than 2000 points gives up the attempt.  The
// grown storage belongs to one match attempt.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

struct FailurePoint {
  int32_t ip;  // -1 for an empty point (pushed by DummyFailureJump)
  int32_t d;
};

class FailureStack {
 public:
  static constexpr int kInitialRoom = 80;
  static constexpr int kGiveUpRoom = 2000;

  FailureStack() : points_(inline_) {}
  FailureStack(const FailureStack&) = delete;
  FailureStack& operator=(const FailureStack&) = delete;

  // False when the attempt has to give up (a checked push into a full stack of > 2000 points).
  bool Push(int32_t ip, int32_t d, bool checked) {
    if (size_ == room_) {
      if (checked && room_ > kGiveUpRoom) return false;
      Grow();
    }
    points_[size_++] = {ip, d};
    return true;
  }
  bool Empty() const { return size_ == 0; }
  int Size() const { return size_; }
  const FailurePoint& FromTop(int i) const { return points_[size_ - 1 - i]; }
  FailurePoint Pop() { return points_[--size_]; }

 private:
  void Grow() {
    auto grown = std::make_unique<FailurePoint[]>(static_cast<size_t>(room_) * 2);
    std::memcpy(grown.get(), points_, sizeof(FailurePoint) * size_);
    heap_ = std::move(grown);
    points_ = heap_.get();
    room_ *= 2;
  }

  FailurePoint inline_[kInitialRoom];
  std::unique_ptr<FailurePoint[]> heap_;
  FailurePoint* points_;
  int size_ = 0;
  int room_ = kInitialRoom;
};
