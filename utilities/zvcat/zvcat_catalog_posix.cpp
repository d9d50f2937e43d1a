// Linux: messages through GNU gettext.  The language comes from LC_ALL, LC_MESSAGES or LANG;
// translations (and the C library's reasons, from strerror) arrive in the locale's codeset,
// which is the terminal's.
#include <libintl.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <cstring>
#include <string>

#include "platform/file_api.h"
#include "utilities/zvcat/zvcat_catalog.h"
#include "utilities/zvcat/zvcat_convert_posix.h"
#include "utilities/zvcat/zvcat_messages.h"

namespace {

constexpr char kDomain[] = "zvcat";

// The folder of the running program, with its separator; empty when it cannot be found.
std::string ProgramFolder() {
  char path[4096];
  ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return std::string();
  std::string folder(path, size_t(length));
  return folder.substr(0, folder.rfind('/') + 1);
}

// The build tree's catalogs beside the program, an installed tree's (PREFIX/bin/zvcat with
// PREFIX/share/locale, wherever PREFIX was copied to), else the folder of the configured install.
std::string CatalogFolder() {
  std::string program = ProgramFolder();
  for (const std::string& folder : {program + "locale", program + "../share/locale"}) {
    if (fileapi::IsDirectory(folder.c_str())) return folder;
  }
  return ZVCAT_LOCALEDIR;
}

}  // namespace

void OpenMessageCatalog() {
  std::setlocale(LC_MESSAGES, "");
  const char* codeset = LocaleCodeset().c_str();
  bindtextdomain(kDomain, CatalogFolder().c_str());
  bind_textdomain_codeset(kDomain, codeset);
  bind_textdomain_codeset("libc", codeset);
}

const char* Translate(const char* msgid) { return dgettext(kDomain, msgid); }

std::string ForTerminal(const std::string& message) { return message; }

std::string SystemReason() { return std::strerror(errno); }
