// Windows: member names stay Shift-JIS, the ANSI code page the file calls take.
#include "utilities/zvcat/zvcat_names.h"

std::string DiskName(const std::string& sjisName) { return sjisName; }
