// The editor and the external tools (see external_tools_win.h).
#include "viewer/shell/external_tools_win.h"

#include <cstdio>
#include <string>

#include "viewer/document/clipboard_text.h"
#include "viewer/document/document.h"
#include "viewer/settings/command_template.h"
#include "viewer/frame/process_watch_win.h"
#include "viewer/settings/settings_key.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr int kToolCount = 7;
constexpr uint32_t kToolSize = 256;

// The process of `commandLine`, started in the viewer's environment and folder; null when it
// could not start.
win::Handle StartProcess(std::string commandLine) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return {};
  win::Handle thread(info.hThread);
  return win::Handle(info.hProcess);
}

}  // namespace

bool RunExternalCommand(const char* commandTemplate, bool watch) {
  win::BusyScope<SetBusy> busy;
  std::string selection = SelectionText(TheDocument.Selection, PageRowCount);
  std::string commandLine =
      ExpandCommandTemplate(commandTemplate, TheDocument.FileName, TheDocument.TopLine, selection);
  win::Handle process = StartProcess(commandLine);
  if (!process) return false;
  if (!watch) return true;
  WatchedProcess record;
  record.ProcessHandle = process;
  record.Kind = kWatchReload;
  if (WatchProcess(record)) (void)process.Take();  // the watch table closes it when the editor ends
  return true;
}

bool RunExternalTool(int n) {
  if (n < 0 || n >= kToolCount) return false;
  char name[8];
  std::snprintf(name, sizeof name, "Tool%d", n);
  char tool[kToolSize];
  {
    SettingsKeyScope key;
    ReadStringSetting(name, "*", tool, sizeof tool);
  }
  // An unset tool would start the shown file itself: nothing is started.
  if (IsUnsetTool(tool)) {
    MessageBeep(0);
    return false;
  }
  return RunExternalCommand(tool, false);
}
