// The "Plim.ini" file of the Wine prefix's Windows folder, as the e2e tests prepare and read it.
#pragma once

#include <string>

namespace e2e {

std::string PlimIniPath();
// Replaces the file with a "Plim3D" section holding the given key=value lines.
void WritePlimIni(const std::string& keyValueLines);
void DeletePlimIni();
// The value of a key in the file's "Plim3D" section; "<missing>" when it is not there.
std::string PlimIniValue(const std::string& key);

}  // namespace e2e
