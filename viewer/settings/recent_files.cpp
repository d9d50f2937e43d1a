// PushRecentFile.
#include "viewer/settings/recent_files.h"

#include <cstdio>
#include <cstring>

#include "text/sjis.h"
#include "viewer/settings/settings_key.h"

namespace {

void RecentFileName(int i, char (&name)[8]) { std::snprintf(name, sizeof name, "File%02d", i); }

char Lower(char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; }

}  // namespace

bool SameNameIgnoringCase(const char* a, const char* b) {
  for (size_t i = 0;; ++i) {
    if (a[i] == '\0' || b[i] == '\0') return a[i] == b[i];
    if (IsSjisLead(uint8_t(a[i]))) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
      if (a[++i] == '\0') return true;
      continue;
    }
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
}

void ReadRecentFile(int i, char* buffer) {
  char name[8];
  RecentFileName(i, name);
  ReadStringSetting(name, "", buffer, kRecentFileSize);
}

bool PushRecentFile(const char* fileName) {
  if (std::strcmp(fileName, "(未表示)") == 0) return true;
  // A name that the 200-byte entries cannot hold would come back cut (a wrong path) or not at
  // all; it is not recorded.
  if (std::strlen(fileName) >= kRecentFileSize) return true;
  SettingsKeyScope key;
  char entries[kRecentFileCount][kRecentFileSize];
  for (int i = 0; i < kRecentFileCount; ++i) ReadRecentFile(i, entries[i]);
  int reuse = 0;
  while (reuse < kRecentFileCount - 1 && entries[reuse][0] != '\0' && !SameNameIgnoringCase(entries[reuse], fileName))
    ++reuse;
  for (int i = reuse; i > 0; --i) std::memcpy(entries[i], entries[i - 1], kRecentFileSize);
  std::strcpy(entries[0], fileName);
  bool written = true;
  for (int i = 0; i < kRecentFileCount; ++i) {
    if (entries[i][0] == '\0') continue;
    char name[8];
    RecentFileName(i, name);
    written &= WriteStringSetting(name, entries[i]);
  }
  return written;
}
