// Member names: UTF-8 recognition and conversion to CP932, and fitting names into entries.
#include "viewer/archive/archive_name.h"

#include <cstring>

#include "text/kanji_code.h"
#include "text/sjis.h"

namespace {

// The length of the UTF-8 sequence that starts with `lead`, 0 for a byte that cannot start one.
size_t Utf8SequenceLength(uint8_t lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// A name longer than the entry holds is cut at a Shift-JIS character boundary, so that no half
// character ends it.
size_t FittingNameLength(const uint8_t* name, size_t length) {
  constexpr size_t kRoom = sizeof(ArchiveEntry::name) - 1;
  if (length <= kRoom) return length;
  size_t end = 0;
  while (true) {
    size_t next = end + (IsSjisLead(name[end]) ? 2 : 1);
    if (next > kRoom) return end;
    end = next;
  }
}

}  // namespace

bool LooksLikeUtf8Name(const uint8_t* name, size_t length) {
  bool wide = false;
  for (size_t i = 0; i < length;) {
    size_t n = Utf8SequenceLength(name[i]);
    if (n == 0 || n > length - i) return false;
    for (size_t k = 1; k < n; ++k) {
      if ((name[i + k] & 0xC0) != 0x80) return false;
    }
    wide = wide || n > 1;
    i += n;
  }
  return wide;
}

std::string MemberNameInCp932(const uint8_t* name, size_t length, bool utf8) {
  if (!utf8) return std::string(reinterpret_cast<const char*>(name), length);
  std::string converted(length + 1, '\0');
  KanjiConverterState state;
  state.AtTextStart = false;  // a name's leading U+FEFF is kept as a character, not dropped
  uint32_t n = ConvertUtf8(state, reinterpret_cast<uint8_t*>(converted.data()), name, uint32_t(length));
  n += FinishKanji(state, kUtf8, converted.data() + n);
  converted.resize(n);
  return converted;
}

void SetEntryName(ArchiveEntry& entry, const std::string& name) {
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(name.data());
  size_t length = FittingNameLength(bytes, name.size());
  std::memset(entry.name, 0, sizeof entry.name);
  std::memcpy(entry.name, bytes, length);
  std::memcpy(entry.path, entry.name, sizeof entry.path);
}
