// SourceReader: the random-access byte source behind the document and the archive filer.
// A FileReader reads a disk file; an ArchiveReader presents one member of an archive at a time.
// Results are integers (no exceptions): -1 means failure wherever a count or position is returned.
#pragma once

#include <cstdint>
#include <span>

#include "platform/file_view.h"

class SourceReader {
 public:
  // Nonzero when the reader cannot deliver data.
  virtual int IsBad();
  // Bytes copied into buffer, or -1 on failure.
  [[nodiscard]] virtual int Read(void* buffer, uint32_t count);
  // origin 0 = from the start, 1 = from the current position, 2 = from the end.
  // Returns the new position or -1.
  [[nodiscard]] virtual int Seek(int32_t offset, int origin);
  virtual uint32_t Size();
  // Give up operating-system resources but keep the position; the next access resumes.
  virtual int Suspend();
  // One byte 0..255, or -1 unless exactly one byte arrived.
  [[nodiscard]] virtual int GetByte();
  // Little-endian values assembled by Read; the count is not checked.
  virtual int GetWord();
  virtual uint32_t GetDword();
  [[nodiscard]] virtual int Tell();
  // The whole content, when the reader already holds all of it in memory: exactly the bytes
  // Read would deliver from position 0 to the end, valid until the reader changes.  Empty when
  // the reader does not hold them (read them then).
  [[nodiscard]] virtual std::span<const uint8_t> HeldBytes() { return {}; }
  // True when the bytes HeldBytes gave are no longer the source's (a viewed file was cut short
  // under it): what was taken from them since then cannot be trusted.
  [[nodiscard]] virtual bool HeldBytesLost() { return false; }
  // The caller went through HeldBytes from the front and is done with the first `bytes`: what
  // holds them may be let go of (they stay readable).
  virtual void HeldBytesPassed(size_t bytes) {}
  // A private, writable copy of the first `size` bytes of the content in `capacity` bytes, made
  // without reading them, where the reader can (a disk file the system maps); else empty.
  [[nodiscard]] virtual fileapi::FileView PrivateCopy(uint32_t size, size_t capacity) { return {}; }
  virtual ~SourceReader() = default;
};

// The position a Seek(offset, origin) reaches in content of `size` bytes from `position`, kept
// within 0..size (the readers that serve one member seek this way).
uint32_t ClampedSeekPosition(uint32_t position, uint32_t size, int32_t offset, int origin);
