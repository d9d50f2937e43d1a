// Linux: member names in the locale's codeset.  Only a UTF-8 locale converts: the C locale and
// Shift-JIS locales keep the bytes as they are, as zvcat always wrote them.
#include "utilities/zvcat/zvcat_names.h"

#include "utilities/zvcat/zvcat_convert_posix.h"
#include "utilities/zvcat/zvcat_output.h"

std::string DiskName(const std::string& sjisName) {
  if (!LocaleIsUtf8()) return sjisName;
  return ConvertSjisToUtf8(sjisName.data(), sjisName.size(), Unconvertible::kPercentEscapes);
}
