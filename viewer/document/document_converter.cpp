// The document's converter over the text library's conversion: a binary document is copied
// as it is, a text document converted with its KanjiCode.
#include "viewer/document/document_converter.h"

#include <cstring>

#include "text/sjis.h"
#include "viewer/document/document.h"

namespace {

KanjiConverterState converterState;
bool utf16BigEndian = false;

}  // namespace

uint32_t ConvertChunkTo(char* output, const char* input, uint32_t length) {
  if (TheDocument.DisplayMode == 1) {
    if (output != input) std::memmove(output, input, length);
    return length;
  }
  return ConvertKanji(converterState, TheDocument.KanjiCode, output, input, length);
}

uint32_t ConvertChunk(char* data, uint32_t length) { return ConvertChunkTo(data, data, length); }

uint32_t PendingEscapeBytes() {
  return TheDocument.DisplayMode == 1 ? 0 : PendingEscapeBytes(converterState);
}

bool TextIsTheFilesBytes() { return TheDocument.DisplayMode == 1 || TheDocument.KanjiCode == kShiftJis; }

uint32_t FinishChunks(char* output) {
  return TheDocument.DisplayMode == 1 ? 0 : FinishKanji(converterState, TheDocument.KanjiCode, output);
}

void ResetConverter() {
  converterState = KanjiConverterState();
  converterState.BigEndian = utf16BigEndian;
}

KanjiConverterState ConverterState() { return converterState; }

void RestoreConverterState(const KanjiConverterState& state) { converterState = state; }

void SetUtf16ByteOrder(bool bigEndian) { utf16BigEndian = bigEndian; }

int LooksBinary(char* sample, uint32_t length) {
  TheDocument.DisplayMode = 0;
  ResetConverter();
  uint32_t converted = ConvertChunk(sample, length);
  ResetConverter();
  auto* bytes = reinterpret_cast<const uint8_t*>(sample);
  uint32_t controls = 0;
  for (uint32_t i = 0; i < converted; ++i) {
    if (IsSjisLead(bytes[i]) && i + 1 < converted && IsSjisTrail(bytes[i + 1])) {
      ++i;
    } else if (bytes[i] < 0x20 && !IsTextByte(bytes[i])) {
      ++controls;
    }
  }
  return controls > converted * 10 / 100 ? 1 : 0;
}
