// OK of the settings dialog: every field is checked first (a refused entry is named in a
// message and nothing changes); then the working copies and the pages become the settings in
// a fixed order, the viewer is rebuilt with them (font, colours, mark glyphs, tool bar,
// right-button menus, menu bar, layout, the file reloaded from the top) and everything is saved.
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/win/owners.h"
#include "viewer/resources/zv32_ids.h"
#include "viewer/shell/dialog_pages_win.h"
#include "viewer/shell/dialog_properties_win.h"
#include "viewer/frame/dialogs_win.h"
#include "viewer/shell/menus_win.h"
#include "viewer/shell/settings_dialog_parts_win.h"
#include "viewer/settings/settings_key.h"
#include "viewer/settings/settings_store.h"
#include "viewer/settings/settings_win.h"
#include "viewer/shell/tool_bar_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

std::string FieldText(HWND dialog, int id) {
  char text[256] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

// Shows the page of the refused field, says why and puts the caret there.
void Refuse(HWND dialog, int id, const std::string& message) {
  SelectDialogPage(dialog, IDC_SETTINGS_FOLDER, id / 1000);
  ShowError(dialog, message.c_str());
  SetFocus(GetDlgItem(dialog, id));
}

bool FieldsAreValid(HWND dialog) {
  for (const NumberSetting& number : kNumberSettings) {
    int32_t value = 0;
    if (ParseNumberField(FieldText(dialog, number.id), number.field, value)) continue;
    Refuse(dialog, number.id, NumberFieldMessage(number.field));
    return false;
  }
  for (int slot = 0; slot < kLinkSlotCount; ++slot) {
    if (LinkPathFits(FieldText(dialog, kLinkFields[slot]))) continue;
    Refuse(dialog, kLinkFields[slot], LinkPathMessage(kLinkCaptions[slot]));
    return false;
  }
  return true;
}

void ApplyFontAndColors(HWND dialog) {
  if (const LOGFONTA* font = PropertyOf<LOGFONTA>(dialog, kFontProperty)) {
    TextFont = BytesFromLogFont(*font);
    TextFontStored = true;
    if (HFONT created = CreateFontIndirectA(font)) DisplayFont.Reset(created);
  }
  if (const ColorCopies* colors = PropertyOf<ColorCopies>(dialog, kColorsProperty)) {
    TextColor = (*colors)[kTextSlot];
    BackColor = (*colors)[kBackSlot];
    ControlColor = (*colors)[kControlSlot];
    LineColor = (*colors)[kLineSlot];
    CtrlColor = (*colors)[kCtrlSlot];
  }
}

void ApplyDisplayPages(HWND dialog) {
  for (const NumberSetting& number : kNumberSettings)
    ParseNumberField(FieldText(dialog, number.id), number.field, *number.value);
  for (const FlagSetting& flag : kFlagSettings) *flag.flag = IsChecked(dialog, flag.id) ? 1 : 0;
  for (int placement = 0; placement < 3; ++placement)
    if (IsChecked(dialog, IDC_TOOL_BAR_NONE + placement)) ToolBarPlacement = placement;
}

void ApplyToolBar(HWND dialog) {
  std::vector<int> rows = ListItemData(GetDlgItem(dialog, IDC_TOOL_CURRENT));
  StoreToolBarItems(rows, ToolBarList, kToolBarListSize);
  if (!MainWindow) return;
  DestroyToolBar(MainWindow);
  BuildToolBar(MainWindow);
}

void ApplyLinkPaths(HWND dialog) {
  for (int slot = 0; slot < kLinkSlotCount; ++slot) {
    std::memset(WindowLink[slot], 0, kLinkSlotSize);
    GetDlgItemTextA(dialog, kLinkFields[slot], WindowLink[slot], int(kLinkPathLimit + 1));
  }
}

void ApplyRightMenus(HWND dialog) {
  KeepMenuCopy(dialog);
  for (int menu = 0; menu < kRightMenuCount; ++menu)
    if (const MenuCopy* copy = PropertyOf<MenuCopy>(dialog, kMenuPropertyNames[menu]))
      std::copy(copy->begin(), copy->end(), RightMenus[menu]);
  BuildContextMenus();
}

void WriteFieldSetting(HWND dialog, int id, const char* name, int size) {
  char text[256] = "";
  GetDlgItemTextA(dialog, id, text, size < int(sizeof text) ? size : int(sizeof text));
  (void)WriteStringSetting(name, text);  // best effort: a broken key was reported when opened
}

void WriteToolSettings(HWND dialog) {
  SettingsKeyScope key;
  char name[8];
  for (int tool = 0; tool < kToolCount; ++tool) {
    std::snprintf(name, sizeof name, "Tool%d", tool);
    WriteFieldSetting(dialog, IDC_TOOL_COMMAND_FIRST + tool, name, kToolSize);
  }
  WriteFieldSetting(dialog, IDC_CLIP_STR, "ClipStr", kClipStrSize);
  (void)WriteDwordSetting("FastSetup", IsChecked(dialog, IDC_FAST_SETUP) ? 1 : 0);  // best effort, as above
}

void ApplyStartPage(HWND dialog) {
  GetDlgItemTextA(dialog, IDC_EDITOR, Editor, int(kEditorSize));
  GetDlgItemTextA(dialog, IDC_FILE_MASK, FileMask, int(kFileMaskSize));
  WindowStyle = WindowStyleFromChoices({IsChecked(dialog, IDC_SYSTEM_PLACEMENT), IsChecked(dialog, IDC_START_MAXIMIZED),
                                        IsChecked(dialog, IDC_FIT_TO_WRAP)});
}

}  // namespace

bool ConfirmSettingsDialog(HWND dialog) {
  if (!FieldsAreValid(dialog)) return false;
  ApplyFontAndColors(dialog);
  ApplyDisplayPages(dialog);
  ApplyToolBar(dialog);
  ApplyLinkPaths(dialog);
  ApplyRightMenus(dialog);
  WriteToolSettings(dialog);
  ApplyStartPage(dialog);
  RebuildViewerWindows();
  (void)SaveSettings();  // best effort: the settings apply to this session either way
  return true;
}
