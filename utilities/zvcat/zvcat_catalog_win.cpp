// Windows: zvcat speaks Japanese, as the viewer does, in CP932 (the table generated from
// po/ja.po at build time, compiled with Shift-JIS literals); on a UTF-8 console, or with
// --utf8, the message is converted to UTF-8 on its way out.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "utilities/zvcat/zvcat_catalog.h"
#include "utilities/zvcat/zvcat_messages.h"
#include "utilities/zvcat/zvcat_output.h"

void OpenMessageCatalog() {}

const char* Translate(const char* msgid) {
  for (size_t i = 0; i < kJapaneseCatalogSize; ++i) {
    if (std::strcmp(kJapaneseCatalog[i].msgid, msgid) == 0) return kJapaneseCatalog[i].msgstr;
  }
  return msgid;
}

std::string ForTerminal(const std::string& message) {
  return MessagesInUtf8() ? SjisToUtf8(message.data(), message.size()) : message;
}

std::string SystemReason() {
  DWORD error = GetLastError();
  char text[512];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                text, sizeof text, nullptr);
  while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == '.')) --length;
  if (length > 0) return std::string(text, length);
  char number[32];
  std::snprintf(number, sizeof number, "error %lu", static_cast<unsigned long>(error));
  return number;
}
