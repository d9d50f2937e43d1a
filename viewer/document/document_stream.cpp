// The document's text streamed to a receiver: the steps of LoadChunk without the text block
// and the row scan.  Text that needs no conversion from a Source holding all of it in memory
// (a decoded gzip member, a large file seen through a view) goes to the receiver straight from
// there, without a copy.
#include "viewer/document/document_stream.h"

#include <algorithm>
#include <span>

#include "platform/allocation.h"
#include "viewer/document/document_converter.h"
#include "viewer/document/document_host.h"
#include "viewer/document/document_loading.h"
#include "viewer/document/document_withdraw.h"

namespace {

// Large enough that the file reader reads straight into the buffer, small enough to stay in
// the cache between the read, the conversion and the receiver.
constexpr uint32_t kStreamChunkSize = 128 * 1024;
// Room in front of a chunk for an escape sequence or a character the last chunk held back, and
// behind it for the stand-in of a character the file's end cuts off.
constexpr uint32_t kHeldBackRoom = 4;
constexpr uint32_t kFinishRoom = 4;
// The chunk is read to a 64-byte boundary: the system's copy into a buffer that is not at least
// 32-byte aligned was measured three times slower on x86-64 (the heap gives 16).
constexpr uintptr_t kReadAlignment = 64;
// The pieces held bytes are passed on in: large, so that each costs the receiver one write, yet
// a receiver that stops early has not been handed the whole text.
constexpr size_t kHeldPieceSize = 1u << 20;

// The text after the last chunk (a character the file's end cut off), and the member's check.
void FinishStream(char* buffer, TextSink& sink) {
  (void)sink.Take(buffer, FinishChunks(buffer));
  ReportMemberIntegrity();
}

// The Source's bytes when they are all in memory and loading would keep them as they are
// (Shift-JIS shown as it is, or a binary file); empty when they must be read and converted.
std::span<const uint8_t> BytesToPassAsTheyAre() {
  Document& doc = TheDocument;
  if (!TextIsTheFilesBytes() || !doc.Source || PendingEscapeBytes() != 0) return {};
  std::span<const uint8_t> held = doc.Source->HeldBytes();
  return held.size() == doc.BytesLeft ? held : std::span<const uint8_t>();
}

// Passes `held`, the whole text, on in large pieces; stops as a failed read would when the
// bytes were lost under it.
DocumentResult StreamHeldBytes(std::span<const uint8_t> held, char* buffer, TextSink& sink) {
  Document& doc = TheDocument;
  for (size_t at = 0; at < held.size();) {
    size_t n = std::min(held.size() - at, kHeldPieceSize);
    bool taken = sink.Take(reinterpret_cast<const char*>(held.data() + at), n);
    if (doc.Source->HeldBytesLost()) return DocumentResult::kCannotOpen;
    at += n;
    doc.Source->HeldBytesPassed(at);
    doc.BytesLeft -= uint32_t(n);
    if (!taken) return DocumentResult::kOk;
  }
  FinishStream(buffer, sink);
  return DocumentResult::kOk;
}

// Reads and converts the rest of the Source into `buffer`, chunk by chunk, into `sink`.
DocumentResult StreamChunks(char* buffer, TextSink& sink) {
  Document& doc = TheDocument;
  while (doc.BytesLeft > 0) {
    uint32_t n = std::min(doc.BytesLeft, kStreamChunkSize);
    char* input = buffer + PendingEscapeBytes();
    int got = doc.Source ? doc.Source->Read(input, n) : -1;
    uint32_t arrived = got > 0 ? uint32_t(got) : 0;
    bool taken = sink.Take(buffer, ConvertChunkTo(buffer, input, arrived));
    if (got != int(n)) return DocumentResult::kCannotOpen;
    doc.BytesLeft -= n;
    if (!taken) return DocumentResult::kOk;
  }
  FinishStream(buffer, sink);
  return DocumentResult::kOk;
}

DocumentResult StreamText(char* buffer, TextSink& sink) {
  if (!RestartLoading()) return DocumentResult::kCannotOpen;
  std::span<const uint8_t> held = BytesToPassAsTheyAre();
  return held.empty() ? StreamChunks(buffer, sink) : StreamHeldBytes(held, buffer, sink);
}

}  // namespace

DocumentResult StreamDocumentText(TextSink& sink) {
  auto buffer = NewArray<char>(kReadAlignment + kHeldBackRoom + kStreamChunkSize + kFinishRoom);
  if (!buffer) return DocumentResult::kNoMemory;
  const uintptr_t address = reinterpret_cast<uintptr_t>(buffer.get());
  char* aligned = buffer.get() + ((kReadAlignment - address % kReadAlignment) % kReadAlignment);
  // What is passed on cannot be taken back: a member checked only once it is decoded whole is
  // checked before any of it goes.
  if (const char* damage = WithdrawnMemberDamage()) {
    Host().ShowErrorBox(damage);
    return DocumentResult::kCannotOpen;
  }
  DocumentResult result = StreamText(aligned, sink);
  if (result == DocumentResult::kCannotOpen) Host().ShowErrorBox(kReadStoppedMessage);
  // Back at the start of loading (or empty, when the Source cannot seek back).
  static_cast<void>(RestartLoading());
  return result;
}
