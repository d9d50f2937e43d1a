// Reading LZH headers: the basic header, the name of levels 0 and 1, the extension headers of
// levels 1 and 2 (file name, directory name; the others are skipped), and the member's place.
#include "viewer/archive/lzh_header.h"

#include <cstring>
#include <string>

#include "viewer/archive/little_endian.h"
#include "viewer/archive/lzh_method_table.h"
#include "viewer/archive/member_path.h"
#include "text/sjis.h"

namespace {

constexpr size_t kMaxBaseName = 101;
constexpr size_t kMaxExtensionName = 100;

bool LooksLikeMethod(const uint8_t* id) { return id[0] == '-' && id[1] == 'l' && id[4] == '-'; }

// Upper-cases the single-byte letters, leaving double-byte characters whole.
std::string UpperCase(const std::string& text) {
  std::string out = text;
  for (size_t i = 0; i < out.size(); ++i) {
    uint8_t c = uint8_t(out[i]);
    if (IsSjisLead(c) && i + 1 < out.size()) {
      ++i;
    } else if (c >= 'a' && c <= 'z') {
      out[i] = char(c - 32);
    }
  }
  return out;
}

// Copies at most `limit` bytes of `text` without splitting a double-byte character.
void CopyLimited(char* out, const std::string& text, size_t limit) {
  size_t n = 0;
  while (n < text.size()) {
    size_t step = IsSjisLead(uint8_t(text[n])) && n + 1 < text.size() ? 2 : 1;
    if (n + step > limit) break;
    n += step;
  }
  std::memcpy(out, text.data(), n);
  out[n] = '\0';
}

struct HeaderNames {
  std::string name;       // the file name, as stored (level 0: with its directories)
  std::string directory;  // the directory extension, "\" between parts
};

// Walks the extension headers from `start`; returns their total size T, or -1 when broken.
int64_t ReadExtensions(LzhInput& in, int64_t start, HeaderNames& names) {
  int64_t total = 0;
  while (true) {
    if (!in.SeekTo(uint32_t(start + total))) return -1;
    uint16_t size = in.Word();
    if (in.readError) return -1;
    if (size == 0) return total;
    if (size < 3) return -1;
    total += size;
    int type = in.Byte();
    if (type != 1 && type != 2) continue;
    size_t length = size - 3u;
    if (length > kMaxExtensionName) return -1;
    std::string text(length, '\0');
    if (in.ReadBytes(text.data(), uint32_t(length)) != length) return -1;
    if (type == 1) {
      names.name = text;
    } else {
      for (char& c : text) c = (uint8_t(c) == 0xFF) ? '\\' : c;
      names.directory = text;
    }
  }
}

void StoreNames(const HeaderNames& names, int level, LzhMember& member) {
  std::string path = names.directory;
  if (!path.empty() && !names.name.empty() && !EndsWithPathSeparator(path.c_str())) path += '\\';
  path += names.name;
  CopyLimited(member.path, path, sizeof member.path - 1);
  std::string base = level == 0 ? PathBaseName(names.name.c_str()) : names.name;
  CopyLimited(member.name, UpperCase(base), 12);
}

void StoreMethod(const uint8_t* id, LzhMember& member) {
  for (int i = 0; i < 5; ++i) member.methodId[i] = (id[i] >= 0x20 && id[i] < 0x7F) ? char(id[i]) : '?';
  member.methodId[5] = '\0';
  member.method = FindLzhMethod(member.methodId);
}

// The fixed first 22 bytes; LzhHeaderResult::kEnd at the end mark or the end of the file (a read that
// fails is no end: the list would lose its later members without a word).
LzhHeaderResult ReadBasicHeader(LzhInput& in, uint8_t (&basic)[22]) {
  uint32_t got = in.ReadBytes(basic, sizeof basic);
  if (in.readError) return LzhHeaderResult::kBroken;
  if (got == 0) return LzhHeaderResult::kEnd;
  // A zero size byte is the end mark, unless it is the low byte of a level-2 header size.
  bool levelTwo = got == sizeof basic && LooksLikeMethod(basic + 2) && basic[20] == 2;
  if (basic[0] == 0 && !levelTwo) return LzhHeaderResult::kEnd;
  if (got < sizeof basic || basic[20] > 2) return LzhHeaderResult::kBroken;
  return LzhHeaderResult::kOk;
}

}  // namespace

LzhHeaderResult ReadLzhHeader(LzhInput& in, LzhMember& member) {
  in.readError = false;
  int64_t start = in.Position();
  if (start < 0) return LzhHeaderResult::kBroken;
  uint8_t basic[22];
  LzhHeaderResult result = ReadBasicHeader(in, basic);
  if (result != LzhHeaderResult::kOk) return result;
  int level = basic[20];
  HeaderNames names;
  int64_t extensions = start;  // P: where the first extension size stands
  if (level < 2) {
    unsigned size = basic[0];
    unsigned length = basic[21];
    if (size < 22 + length + (level == 1 ? 3u : 0u)) return LzhHeaderResult::kBroken;
    names.name.resize(length);
    if (in.ReadBytes(names.name.data(), length) != length) return LzhHeaderResult::kBroken;
    member.crc = in.Word();
    if (level == 1) member.osId = uint8_t(in.Byte());
    extensions = start + size;
  } else {
    member.crc = uint16_t(basic[21] | (in.Byte() << 8));
    member.osId = uint8_t(in.Byte());
    extensions = start + 24;
  }
  int64_t total = 0;
  if (level > 0) {
    total = ReadExtensions(in, extensions, names);
    if (total < 0) return LzhHeaderResult::kBroken;
  }
  if (in.readError) {
    in.readError = false;
    return LzhHeaderResult::kBroken;
  }
  size_t baseLength = std::strlen(level == 0 ? PathBaseName(names.name.c_str()) : names.name.c_str());
  if (baseLength > kMaxBaseName) return LzhHeaderResult::kBroken;
  uint32_t packed = LittleEndian32(basic + 7);
  if (level == 1) {
    if (total > packed) return LzhHeaderResult::kBroken;
    packed -= uint32_t(total);
  }
  int64_t data = extensions + total + 2;
  // A level-2 header states its whole size, padding included (some programs pad a header whose
  // size would otherwise end in a zero byte, which reads as the end mark); the data follows it.
  int64_t statedEnd = start + LittleEndian16(basic);
  if (level == 2 && statedEnd > data) data = statedEnd;
  if (data + packed > 0x7FFFFFFF) return LzhHeaderResult::kBroken;
  member.level = level;
  member.dataOffset = uint32_t(data);
  member.packedSize = packed;
  member.originalSize = LittleEndian32(basic + 11);
  member.dosTime = LittleEndian16(basic + 15);
  member.dosDate = LittleEndian16(basic + 17);
  StoreMethod(basic + 2, member);
  StoreNames(names, level, member);
  return in.SeekTo(uint32_t(data + packed)) ? LzhHeaderResult::kOk : LzhHeaderResult::kBroken;
}

bool LzhHeaderChecksumMatches(LzhInput& in, uint32_t position) {
  uint8_t header[257];
  if (!in.SeekTo(position) || in.ReadBytes(header, 22) != 22) return false;
  if (header[20] == 2) return true;
  unsigned size = header[0];
  if (size < 20 || in.ReadBytes(header + 22, size - 20) != size - 20) return false;
  unsigned sum = 0;
  for (unsigned i = 2; i < size + 2; ++i) sum += header[i];
  return uint8_t(sum) == header[1];
}
