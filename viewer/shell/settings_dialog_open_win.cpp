// Opening the settings dialog: the working copies, every page filled from the settings, the
// page layout; and the menu page's switch between the three right-button menus.
#include <cstdio>

#include "viewer/resources/zv32_ids.h"
#include "viewer/settings/command_table.h"
#include "viewer/shell/dialog_pages_win.h"
#include "viewer/shell/dialog_properties_win.h"
#include "viewer/frame/dialogs_win.h"
#include "viewer/shell/font_window_win.h"
#include "viewer/shell/settings_dialog_parts_win.h"
#include "viewer/settings/settings_key.h"
#include "viewer/settings/settings_win.h"
#include "viewer/settings/tool_button_table.h"

const NumberSetting kNumberSettings[5] = {
    {IDC_LINE_MAX, IDC_LINE_MAX_SPIN, {"折り返し", 0, 199}, &LineMax},
    {IDC_TAB_SIZE, IDC_TAB_SIZE_SPIN, {"タブ", 1, 99}, &TabSize},
    {IDC_SPACING, IDC_SPACING_SPIN, {"左余白", 0, 99}, &Spacing},
    {IDC_RSPACING, IDC_RSPACING_SPIN, {"右余白", 0, 99}, &RSpacing},
    {IDC_LINE_SPACING, IDC_LINE_SPACING_SPIN, {"行間", 0, 99}, &LineSpacing},
};

const FlagSetting kFlagSettings[13] = {
    {IDC_PURE_INVERSE, &PureInverseColors},     {IDC_WRAP_LINES, &WrapLines},
    {IDC_SHOW_CR_MARKS, &ShowCrMarks},          {IDC_SHOW_TAB_MARKS, &ShowTabMarks},
    {IDC_SHOW_LINE_NUMBERS, &ShowLineNumbers},  {IDC_SHOW_CONTROL_CODES, &ShowControlCodes},
    {IDC_SHOW_MENU_BAR, &ShowMenuBar},          {IDC_SHOW_STATUS_BAR, &ShowStatusBar},
    {IDC_UNOWNED_SUB_WINDOWS, &UnownedSubWindows}, {IDC_REMEMBER_DIRECTORY, &RememberDirectory},
    {IDC_COPY_ON_SELECT, &CopyOnSelect},        {IDC_SERIOUS_ICONS, &SeriousIcons},
    {IDC_FILER_AT_START, &FilerAtStart},
};

const char* const kLinkCaptions[kLinkSlotCount] = {"Viewer:", "Filer:", "Archive:", "List:"};

const ListPair kToolBarPair{IDC_TOOL_CURRENT, IDC_TOOL_AVAILABLE, ListItemLimit(kToolBarListSize),
                            "ツールバーにはこれ以上ボタンを置けません"};
const ListPair kMenuPair{IDC_MENU_CURRENT, IDC_MENU_AVAILABLE, ListItemLimit(kRightMenuEntries),
                         "このメニューにはこれ以上項目を置けません"};

namespace {

constexpr int kPageWidth = 208;
constexpr int kShownMenuAtOpening = 2;
constexpr const char* kSituations[kRightMenuCount] = {"選択されたテキスト上で", "行番号上で", "普通"};

void SetNumber(HWND dialog, int id, int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%ld", long(value));
  SetDlgItemTextA(dialog, id, text);
}

void SetSettingText(HWND dialog, int id, const char* name, const char* fallback, uint32_t size) {
  char text[256];
  ReadStringSetting(name, fallback, text, size < sizeof text ? size : sizeof text);
  SetDlgItemTextA(dialog, id, text);
}

void FillDisplayPages(HWND dialog) {
  for (const NumberSetting& number : kNumberSettings) {
    SendDlgItemMessageA(dialog, number.spinId, BM_SETSTYLE, 0,
                        MAKELPARAM(number.field.minimum, number.field.maximum));
    SetNumber(dialog, number.id, *number.value);
  }
  const uint32_t boxes[] = {ControlColor, LineColor, CtrlColor};
  for (int i = 0; i < 3; ++i) SendDlgItemMessageA(dialog, IDC_CONTROL_COLOR_BOX + i, kSetBoxColor, 0, LPARAM(boxes[i]));
  int placement = ToolBarPlacement < 0 || ToolBarPlacement > 2 ? 1 : ToolBarPlacement;
  SetChecked(dialog, IDC_TOOL_BAR_NONE + placement, true);
}

void FillToolBarPage(HWND dialog) {
  HWND current = GetDlgItem(dialog, IDC_TOOL_CURRENT);
  for (int row : ToolBarItems(ToolBarList, kToolBarListSize))
    AppendListItem(current, row == kGapItem ? kGapText : ToolButtonTable[row].shortName, row);
  HWND available = GetDlgItem(dialog, IDC_TOOL_AVAILABLE);
  for (int row : ToolRowsByImage()) AppendListItem(available, ToolButtonTable[row].shortName, row);
}

void FillLinkPage(HWND dialog) {
  for (int slot = 0; slot < kLinkSlotCount; ++slot) {
    char path[kLinkSlotSize + 1] = {};
    std::snprintf(path, sizeof path, "%.*s", int(kLinkSlotSize), WindowLink[slot]);
    SetDlgItemTextA(dialog, kLinkFields[slot], path);
  }
}

void FillMenuPage(HWND dialog) {
  HWND available = GetDlgItem(dialog, IDC_MENU_AVAILABLE);
  for (int i = 0; i + 1 < kCommandNameCount; ++i)
    AppendListItem(available, CommandNameTable[i].name, CommandNameTable[i].code);
  for (int menu = 0; menu < kRightMenuCount; ++menu) {
    MenuCopy copy{};
    std::copy(std::begin(RightMenus[menu]), std::end(RightMenus[menu]), copy.begin());
    AttachProperty(dialog, kMenuPropertyNames[menu], copy);
    SendDlgItemMessageA(dialog, IDC_MENU_SITUATION, CB_ADDSTRING, 0, LPARAM(kSituations[menu]));
  }
  SendDlgItemMessageA(dialog, IDC_MENU_SITUATION, CB_SETCURSEL, kShownMenuAtOpening, 0);
  ShowMenuCopy(dialog, kShownMenuAtOpening);
}

void FillToolAndStartPages(HWND dialog) {
  char name[8];
  for (int tool = 0; tool < kToolCount; ++tool) {
    std::snprintf(name, sizeof name, "Tool%d", tool);
    SetSettingText(dialog, IDC_TOOL_COMMAND_FIRST + tool, name, "", kToolSize);
  }
  SetSettingText(dialog, IDC_CLIP_STR, "ClipStr", "》", kClipStrSize);
  SetChecked(dialog, IDC_FAST_SETUP, false);
  EnableWindow(GetDlgItem(dialog, IDC_FAST_SETUP), FALSE);
  SetDlgItemTextA(dialog, IDC_EDITOR, Editor);
  SetDlgItemTextA(dialog, IDC_FILE_MASK, FileMask);
  const WindowStyleChoices style = ChoicesFromWindowStyle(WindowStyle);
  SetChecked(dialog, style.systemPlacement ? IDC_SYSTEM_PLACEMENT : IDC_RESTORE_PLACEMENT, true);
  SetChecked(dialog, IDC_START_MAXIMIZED, style.maximize);
  SetChecked(dialog, IDC_FIT_TO_WRAP, style.fitToWrapWidth);
}

void LimitFields(HWND dialog) {
  for (int tool = 0; tool < kToolCount; ++tool)
    SendDlgItemMessageA(dialog, IDC_TOOL_COMMAND_FIRST + tool, EM_LIMITTEXT, kToolSize - 1, 0);
  SendDlgItemMessageA(dialog, IDC_CLIP_STR, EM_LIMITTEXT, kClipStrTypedSize - 1, 0);
  SendDlgItemMessageA(dialog, IDC_EDITOR, EM_LIMITTEXT, kEditorSize - 1, 0);
  SendDlgItemMessageA(dialog, IDC_FILE_MASK, EM_LIMITTEXT, kFileMaskSize - 1, 0);
}

}  // namespace

void OpenSettingsDialog(HWND dialog) {
  AttachProperty(dialog, kFontProperty, LogFontFromBytes(TextFont));
  AttachProperty(dialog, kColorsProperty, ColorCopies{TextColor, BackColor, ControlColor, LineColor, CtrlColor});
  SettingsKeyScope key;
  FillDisplayPages(dialog);
  for (const FlagSetting& flag : kFlagSettings) SetChecked(dialog, flag.id, *flag.flag != 0);
  FillToolBarPage(dialog);
  FillLinkPage(dialog);
  FillMenuPage(dialog);
  FillToolAndStartPages(dialog);
  LimitFields(dialog);
  LayOutDialogPages(dialog, kPageWidth);
}

void ShowMenuCopy(HWND dialog, int menu) {
  if (menu < 0 || menu >= kRightMenuCount) return;
  const MenuCopy* copy = PropertyOf<MenuCopy>(dialog, kMenuPropertyNames[menu]);
  HWND list = GetDlgItem(dialog, IDC_MENU_CURRENT);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  if (copy) {
    for (int code : RightMenuItems(copy->data(), copy->size()))
      AppendListItem(list, code == kGapItem ? kGapText : CommandName(code), code);
  }
  SetPropA(dialog, kPageProperty, reinterpret_cast<HANDLE>(INT_PTR(menu)));
}

void KeepMenuCopy(HWND dialog) {
  const int menu = int(reinterpret_cast<INT_PTR>(GetPropA(dialog, kPageProperty)));
  if (menu < 0 || menu >= kRightMenuCount) return;
  if (MenuCopy* copy = PropertyOf<MenuCopy>(dialog, kMenuPropertyNames[menu])) {
    std::vector<int> items = ListItemData(GetDlgItem(dialog, IDC_MENU_CURRENT));
    StoreRightMenuItems(items, copy->data(), copy->size());
  }
}
