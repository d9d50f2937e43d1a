// The help file (see help_win.h).
#include "viewer/frame/help_win.h"

#include <cstring>

#include "viewer/document/document_host.h"
#include "text/sjis.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr char kHelpFileName[] = "ZLKOVIEW.HLP";

}  // namespace

void BuildHelpPath() {
  char module[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
  if (length == 0 || length >= sizeof module) module[0] = '\0';
  // The folder ends at the last separator; a '\\' inside a double-byte character does not count.
  size_t separator = LastPathSeparator(module);
  module[separator == std::string_view::npos ? 0 : separator + 1] = '\0';
  if (std::strlen(module) + sizeof kHelpFileName > sizeof HelpPath) module[0] = '\0';
  std::strcpy(HelpPath, module);
  std::strcat(HelpPath, kHelpFileName);
}

bool HelpFileExists() { return GetFileAttributesA(HelpPath) != INVALID_FILE_ATTRIBUTES; }

void ShowHelpContents(HWND owner) {
  if (HelpFileExists()) {
    WinHelpA(owner, HelpPath, HELP_CONTENTS, 0);
    return;
  }
  MessageBoxA(owner, "ヘルプファイル(ZLKOVIEW.HLP)がZV32.EXEと同じフォルダにありません。", kProgramTitle,
              MB_OK | MB_ICONINFORMATION);
}
