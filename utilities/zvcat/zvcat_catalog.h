// The message catalog behind zvcat_messages.h, one implementation per platform: GNU gettext
// over the installed catalogs on Linux (zvcat_catalog_posix.cpp), the Japanese table generated
// from po/ja.po on Windows (zvcat_catalog_win.cpp), where zvcat speaks Japanese in CP932.
#pragma once

#include <cstddef>
#include <string>

// The translation of `msgid`, or `msgid` itself when the catalog has none.
const char* Translate(const char* msgid);

// One message of a compiled-in catalog.
struct CatalogEntry {
  const char* msgid;
  const char* msgstr;
};
extern const CatalogEntry kJapaneseCatalog[];
extern const size_t kJapaneseCatalogSize;
