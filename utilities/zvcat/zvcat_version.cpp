// zvcat --version: the product's version, the one every program of the viewer carries.
#include "utilities/zvcat/zvcat_commands.h"
#include "utilities/zvcat/zvcat_output.h"
#include "zv_version.h"

int RunVersion(const ZvcatOptions& options) {
  ZvcatOutput output(options.utf8Output);
  output.Plain(std::string("zvcat (Zelko View 32) ") + ZV_VERSION_TEXT + "\n");
  return 0;
}
