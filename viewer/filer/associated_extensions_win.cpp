// The extensions Zelko Filer counts as "associated": the subkeys of the user's "Extensions"
// key where it exists, else the extensions the shell knows from HKEY_CLASSES_ROOT (its
// subkeys beginning with "."), so the class means what the shell would open.
#include <cstring>

#include "platform/win/owners.h"
#include "viewer/filer/filer_parts_win.h"

char AssociatedExtensions[kAssociatedExtensionsSize];

namespace {

constexpr char kExtensionsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Extensions";

// Appends the subkey names of `key` (after `prefix`, which names must begin with) to the
// block while they fit, keeping the block a closed list.
size_t AppendSubkeyNames(HKEY key, const char* prefix, size_t used) {
  const size_t prefixLength = std::strlen(prefix);
  char name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    LONG result = RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_MORE_DATA) continue;
    if (result != ERROR_SUCCESS) break;
    if (std::strncmp(name, prefix, prefixLength) != 0 || length <= prefixLength) continue;
    size_t bare = length - prefixLength;
    if (used + bare + 2 > kAssociatedExtensionsSize) break;
    std::memcpy(AssociatedExtensions + used, name + prefixLength, bare);
    used += bare + 1;
  }
  return used;
}

size_t ReadFrom(HKEY root, const char* path, const char* prefix) {
  win::RegistryKey key;
  if (RegOpenKeyExA(root, path, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return 0;
  return AppendSubkeyNames(key, prefix, 0);
}

}  // namespace

void ReadAssociatedExtensions() {
  std::memset(AssociatedExtensions, 0, sizeof AssociatedExtensions);
  if (ReadFrom(HKEY_CURRENT_USER, kExtensionsKey, "") > 0) return;
  std::memset(AssociatedExtensions, 0, sizeof AssociatedExtensions);
  ReadFrom(HKEY_CLASSES_ROOT, nullptr, ".");
}
