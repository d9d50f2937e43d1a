// FileReader: open, read-ahead, seek, suspend and resume.
#include "viewer/archive/file_reader.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/allocation.h"

FileReader::FileReader(const char* path, int mode) : path_(path ? path : ""), mode_(mode) {
  handle_ = fileapi::Open(path_.c_str(), mode_);
}

FileReader::~FileReader() { CloseHandle(); }

void FileReader::CloseHandle() {
  view_ = fileapi::FileView();
  fileapi::Close(handle_);
  handle_ = fileapi::kInvalidHandle;
  bufferFill_ = 0;
}

int FileReader::IsBad() { return handle_ == fileapi::kInvalidHandle && !suspended_; }

bool FileReader::Resume() {
  if (!suspended_) return handle_ != fileapi::kInvalidHandle;
  suspended_ = 0;
  handle_ = fileapi::Open(path_.c_str(), mode_);
  if (handle_ == fileapi::kInvalidHandle) return false;
  osPosition_ = fileapi::Seek(handle_, savedPosition_, 0);
  if (osPosition_ < 0) {
    CloseHandle();
    return false;
  }
  position_ = savedPosition_;
  return true;
}

int FileReader::Suspend() {
  if (suspended_) return 1;
  savedPosition_ = position_;
  suspended_ = 1;
  CloseHandle();
  return 1;
}

int64_t FileReader::ReadThroughBuffer(char* out, uint32_t count) {
  int64_t done = 0;
  while (done < count) {
    int64_t offsetInBuffer = position_ - bufferStart_;
    if (bufferFill_ > 0 && offsetInBuffer >= 0 && offsetInBuffer < bufferFill_) {
      uint32_t n = std::min<uint32_t>(uint32_t(bufferFill_ - offsetInBuffer), uint32_t(count - done));
      std::memcpy(out + done, buffer_.get() + offsetInBuffer, n);
      done += n;
      position_ += n;
      continue;
    }
    if (osPosition_ != position_) {
      osPosition_ = fileapi::Seek(handle_, position_, 0);
      if (osPosition_ < 0) return done > 0 ? done : -1;
    }
    uint32_t wanted = uint32_t(count - done);
    if (wanted >= kReadAhead) {  // a large read goes straight to the caller
      int64_t n = fileapi::Read(handle_, out + done, wanted);
      if (n <= 0) return done > 0 || n == 0 ? done : -1;
      done += n;
      position_ += n;
      osPosition_ += n;
      continue;
    }
    if (!buffer_) buffer_ = NewArray<char>(kReadAhead);
    if (!buffer_) return done > 0 ? done : -1;
    int64_t n = fileapi::Read(handle_, buffer_.get(), kReadAhead);
    bufferFill_ = 0;
    if (n <= 0) return done > 0 || n == 0 ? done : -1;
    bufferStart_ = position_;
    bufferFill_ = uint32_t(n);
    osPosition_ += n;
  }
  return done;
}

int FileReader::Read(void* buffer, uint32_t count) {
  if (!Resume()) return -1;
  int64_t n = ReadThroughBuffer(static_cast<char*>(buffer), count);
  return n < 0 ? -1 : int(n);
}

int FileReader::Seek(int32_t offset, int origin) {
  if (!Resume()) return -1;
  int64_t base = 0;
  if (origin == 1) {
    base = position_;
  } else if (origin == 2) {
    base = fileapi::Size(handle_);
    if (base < 0) return -1;
  } else if (origin != 0) {
    return -1;
  }
  int64_t target = base + offset;
  if (target < 0 || target > INT32_MAX) return -1;
  position_ = target;
  return int(target);
}

uint32_t FileReader::Size() {
  if (!Resume()) return uint32_t(-1);
  int64_t size = fileapi::Size(handle_);
  if (size < 0) return uint32_t(-1);
  return size > int64_t(UINT32_MAX) ? UINT32_MAX : uint32_t(size);
}

std::span<const uint8_t> FileReader::HeldBytes() {
  if (!view_.Bytes().empty()) return view_.Bytes();
  if (!Resume()) return {};
  const int64_t size = fileapi::Size(handle_);
  if (size < kSmallestView || size > int64_t(UINT32_MAX)) return {};
  view_ = fileapi::FileView::Map(handle_, uint64_t(size));
  view_.MapPagesAhead();  // the bytes are taken from the front (streamed)
  return view_.Bytes();
}

bool FileReader::HeldBytesLost() { return view_.CutShort(); }

void FileReader::HeldBytesPassed(size_t bytes) { view_.Passed(bytes); }

fileapi::FileView FileReader::PrivateCopy(uint32_t size, size_t capacity) {
  if (!Resume()) return {};
  fileapi::FileView copy = fileapi::FileView::MapCopy(handle_, size, capacity);
  return copy.CutShort() ? fileapi::FileView() : std::move(copy);  // (shorter than `size` already)
}
