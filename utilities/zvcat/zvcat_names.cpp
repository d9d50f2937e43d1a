// The safe, converted parts of an archive member's path.
#include "utilities/zvcat/zvcat_names.h"

#include "text/sjis.h"
#include "viewer/archive/member_path.h"

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// The parts of a relative path made by MakeSafeMemberPath, stepping over double-byte
// characters (a trail byte may be "\").
std::vector<std::string> SplitRelativePath(const std::string& relative) {
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < relative.size(); ++i) {
    if (IsSjisLead(uint8_t(relative[i])) && i + 1 < relative.size()) {
      parts.back() += relative[i];
      parts.back() += relative[++i];
    } else if (relative[i] == kSeparator) {
      parts.emplace_back();
    } else {
      parts.back() += relative[i];
    }
  }
  return parts;
}

// A converted part names one entry inside its folder: it is not empty, holds no separator of
// either kind and is not made of dots and blanks alone.
bool IsSafeDiskPart(const std::string& part) {
  if (part.find_first_not_of(". ") == std::string::npos) return false;
#ifdef _WIN32
  return SplitRelativePath(part).size() == 1 && part.find('/') == std::string::npos;
#else
  return part.find('/') == std::string::npos;
#endif
}

}  // namespace

bool DiskPartsOfMember(const char* stored, std::vector<std::string>& parts) {
  parts.clear();
  std::string relative;
  if (!MakeSafeMemberPath(stored, relative)) return false;
  for (const std::string& part : SplitRelativePath(relative)) {
    std::string name = DiskName(part);
    if (!IsSafeDiskPart(name)) return false;
    parts.push_back(name);
  }
  return true;
}
