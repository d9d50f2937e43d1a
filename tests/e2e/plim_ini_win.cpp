// The "Plim.ini" file as the e2e tests prepare and read it (see plim_ini_win.h).  The file is
// written and parsed directly, so no profile cache of the test process comes between.
#include "tests/e2e/plim_ini_win.h"

#include <windows.h>

#include <cstdio>
#include <sstream>

#include "tests/e2e/e2e_driver_win.h"

namespace e2e {

std::string PlimIniPath() { return WindowsDirFile("Plim.ini"); }

void WritePlimIni(const std::string& keyValueLines) {
  FILE* file = std::fopen(PlimIniPath().c_str(), "wb");
  if (!file) return;
  std::string text = "[Plim3D]\r\n" + keyValueLines;
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
}

void DeletePlimIni() { DeleteFileA(PlimIniPath().c_str()); }

std::string PlimIniValue(const std::string& key) {
  std::istringstream lines(ReadFileBytes(PlimIniPath()));
  std::string line;
  bool inSection = false;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') {
      inSection = _stricmp(line.c_str(), "[Plim3D]") == 0;
      continue;
    }
    size_t equals = line.find('=');
    if (inSection && equals != std::string::npos && _stricmp(line.substr(0, equals).c_str(), key.c_str()) == 0)
      return line.substr(equals + 1);
  }
  return "<missing>";
}

}  // namespace e2e
