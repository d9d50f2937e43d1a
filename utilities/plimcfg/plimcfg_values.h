// How the configuration utility turns its dialog fields into "Plim.ini" values.
#pragma once

#include <string>
#include <string_view>

namespace plimcfg {

// "1" for a checked box, "0" otherwise.
const char* FlagText(bool checked);
// The thickness field as an unsigned decimal number ("%d"): blanks around the digits are
// allowed; anything else, nothing at all, or a number above 2147483647 gives "0".
std::string FrameSizeText(std::string_view field);

}  // namespace plimcfg
