// Search patterns typed on a UTF-8 terminal: converted to Shift-JIS (CP932) before searching.
#pragma once

#include <string>

// False when the text is not UTF-8 or has characters Shift-JIS cannot hold.
bool Utf8ToSjis(const std::string& utf8, std::string& sjis);
