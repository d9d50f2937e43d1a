// Directory tests and changes for the command line and the filer.
#include "viewer/frame/directories_win.h"

#include <windows.h>

#include <cstring>

#include "text/sjis_paths.h"

namespace {

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

bool IsDirectoryPath(const char* path) {
  if (IsDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\' && path[3] == '\0') return true;
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ChangeDirectory(const char* path) {
  char copy[MAX_PATH];
  std::strncpy(copy, path, sizeof copy - 1);
  copy[sizeof copy - 1] = '\0';
  UpperCaseSingleByteLetters(copy);
  if (IsDriveLetter(copy[0]) && copy[1] == ':') {
    char drive[4] = {copy[0], ':', '\0'};
    if (!SetCurrentDirectoryA(drive)) return false;
    if (copy[2] == '\0') return true;
  }
  return SetCurrentDirectoryA(copy) != 0;
}
