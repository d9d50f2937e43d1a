// Splitting stored member paths into parts, cleaning them, and making the directories a member
// is extracted into.
#include "viewer/archive/member_path.h"

#include <cstring>
#include <vector>

#include "platform/file_api.h"
#include "text/sjis.h"

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Calls visit(begin, length) for each part between separators, stepping over double-byte
// characters.
template <class Visit>
void ForEachPart(const char* path, Visit visit) {
  const char* part = path;
  const char* p = path;
  while (*p) {
    if (IsSjisLead(uint8_t(*p)) && p[1]) {
      p += 2;
      continue;
    }
    if (IsSeparator(*p)) {
      visit(part, size_t(p - part));
      part = p + 1;
    }
    ++p;
  }
  visit(part, size_t(p - part));
}

// A part as a file name may hold it: control codes and the characters Windows refuses become
// "_"; double-byte characters stay whole.
std::string CleanPart(const char* part, size_t length) {
  std::string out;
  for (size_t i = 0; i < length; ++i) {
    uint8_t c = uint8_t(part[i]);
    if (IsSjisLead(c) && i + 1 < length) {
      out += char(c);
      out += part[++i];
    } else if (c < 0x20 || std::strchr(":*?\"<>|", c)) {
      out += '_';
    } else {
      out += char(c);
    }
  }
  return out;
}

bool IsDotPart(const std::string& part) { return part.find_first_not_of(". ") == std::string::npos; }

// The next separator of a relative path made here, from `at`; npos when none.
size_t NextSeparator(const std::string& path, size_t at) {
  for (size_t i = at; i < path.size(); ++i) {
    if (IsSjisLead(uint8_t(path[i])) && i + 1 < path.size()) {
      ++i;
    } else if (path[i] == kSeparator) {
      return i;
    }
  }
  return std::string::npos;
}

}  // namespace

bool EndsWithPathSeparator(const char* path) {
  bool last = false;
  for (const char* p = path; *p; ++p) {
    if (IsSjisLead(uint8_t(*p)) && p[1]) {
      ++p;
      last = false;
    } else {
      last = IsSeparator(*p);
    }
  }
  return last;
}

const char* PathBaseName(const char* path) {
  const char* base = path;
  ForEachPart(path, [&](const char* part, size_t) { base = part; });
  return base;
}

bool MakeSafeMemberPath(const char* stored, std::string& relative) {
  relative.clear();
  // A drive ("C:") is dropped; other colons become "_" with the characters below.
  if (((stored[0] | 0x20) >= 'a' && (stored[0] | 0x20) <= 'z') && stored[1] == ':') stored += 2;
  ForEachPart(stored, [&](const char* part, size_t length) {
    std::string clean = CleanPart(part, length);
    // ".", ".." and names of dots and blanks only (which Windows trims to "..").
    if (clean.empty() || IsDotPart(clean)) return;
    if (!relative.empty()) relative += kSeparator;
    relative += clean;
  });
  return !relative.empty();
}

std::string JoinMemberPath(const std::string& directory, const std::string& relative) {
  if (directory.empty()) return relative;
  if (IsSeparator(directory.back())) return directory + relative;
  return directory + kSeparator + relative;
}

bool MakeMemberDirectories(const std::string& directory, const std::string& relative, bool lastIsDirectory) {
  size_t at = 0;
  while (true) {
    size_t next = NextSeparator(relative, at);
    if (next == std::string::npos && !lastIsDirectory) return true;
    std::string prefix = relative.substr(0, next);
    if (!fileapi::MakeDirectory(JoinMemberPath(directory, prefix).c_str())) return false;
    if (next == std::string::npos) return true;
    at = next + 1;
  }
}
