// The safe, converted parts of an archive member's path.
#include "utilities/zvcat/zvcat_names.h"

#include "text/sjis.h"
#include "viewer/archive/member_path.h"

namespace {

// The parts of a relative path made by MakeSafeMemberPath (joined with the platform's separator,
// "/" or "\"), stepping over double-byte characters, whose trail byte may be "\".
std::vector<std::string> SplitRelativePath(const std::string& relative) {
  std::vector<std::string> parts(1);
  for (size_t i = 0; i < relative.size(); ++i) {
    if (IsSjisLead(uint8_t(relative[i])) && i + 1 < relative.size()) {
      parts.back() += relative[i];
      parts.back() += relative[++i];
    } else if (relative[i] == '/' || relative[i] == '\\') {
      parts.emplace_back();
    } else {
      parts.back() += relative[i];
    }
  }
  return parts;
}

// A converted part names one entry inside its folder: it is not made of dots and blanks alone
// (nor empty) and holds no "/".  (On Windows, where "\" separates too, the part is the safe
// Shift-JIS part itself, which holds none outside a double-byte character.)
bool IsSafeDiskPart(const std::string& part) {
  return part.find_first_not_of(". ") != std::string::npos && part.find('/') == std::string::npos;
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
