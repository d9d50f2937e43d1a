// FilerConfigDialogProc: the filer settings dialog.  Page 1 holds the type filter and the
// custom-type list (item 0 the type filter, then one item per FilerMask entry), page 2 the
// font, the extra columns and the sort, page 3 the layout and the drive bar.  Nothing changes
// until OK, which saves the settings and replaces an open filer window by a new one.
#include <string>
#include <vector>

#include "platform/win/owners.h"
#include "viewer/filer/filer_win.h"
#include "viewer/shell/dialog_pages_win.h"
#include "viewer/shell/dialog_properties_win.h"
#include "viewer/frame/dialogs_win.h"
#include "viewer/settings/filer_mask_items.h"
#include "viewer/shell/font_window_win.h"
#include "viewer/shell/settings_dialog_parts_win.h"
#include "viewer/shell/settings_dialog_win.h"
#include "viewer/settings/settings_store.h"
#include "viewer/settings/settings_win.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

constexpr int kPageWidth = 208;
constexpr DWORD kFilerHelpContext = 1031;
constexpr int kBitCount = 4;  // type-filter kinds and extra columns
constexpr int kSortKeyCount = 5;

HWND TypeList(HWND dialog) { return GetDlgItem(dialog, IDC_FCONF_TYPES); }

std::vector<std::string> TypeItems(HWND dialog) {
  std::vector<std::string> items;
  HWND list = TypeList(dialog);
  for (int i = 1, count = int(SendMessageA(list, LB_GETCOUNT, 0, 0)); i < count; ++i) {
    std::string text(size_t(SendMessageA(list, LB_GETTEXTLEN, WPARAM(i), 0)) + 1, '\0');
    SendMessageA(list, LB_GETTEXT, WPARAM(i), LPARAM(text.data()));
    text.resize(std::char_traits<char>::length(text.c_str()));
    items.push_back(text);
  }
  return items;
}

// Selects item `index` (the type filter when there is no such item), shows an entry's kind
// and extensions, and allows deleting entries only.
void ChooseTypeItem(HWND dialog, int index) {
  HWND list = TypeList(dialog);
  const int count = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
  if (index < 0 || index >= count) index = 0;
  SendMessageA(list, LB_SETCURSEL, WPARAM(index), 0);
  EnableWindow(GetDlgItem(dialog, IDC_FCONF_DELETE), index > 0);
  if (index == 0) return;
  const std::string item = TypeItems(dialog)[size_t(index - 1)];
  SetDlgItemTextA(dialog, IDC_FCONF_EXTENSIONS, std::string(ItemExtensions(item)).c_str());
  SetChecked(dialog, IDC_FCONF_ONLY, IsOnlyItem(item));
  SetChecked(dialog, IDC_FCONF_ALL_BUT, !IsOnlyItem(item));
}

int SelectedTypeItem(HWND dialog) { return int(SendMessageA(TypeList(dialog), LB_GETCURSEL, 0, 0)); }

void SetBits(HWND dialog, int firstId, unsigned bits) {
  for (int n = 0; n < kBitCount; ++n) SetChecked(dialog, firstId + n, (bits >> n) & 1);
}

uint8_t Bits(HWND dialog, int firstId) {
  uint8_t bits = 0;
  for (int n = 0; n < kBitCount; ++n)
    if (IsChecked(dialog, firstId + n)) bits |= uint8_t(1 << n);
  return bits;
}

void OnInitDialog(HWND dialog) {
  AttachProperty(dialog, kFontProperty, LogFontFromBytes(FilerFont));
  SetBits(dialog, IDC_FCONF_SIZE_COLUMN, FilerInfoColumns);
  SetBits(dialog, IDC_FCONF_PROGRAMS, FilerTypeFilter);
  SetChecked(dialog, IDC_FCONF_SORT_NAME + (FilerSortKey < kSortKeyCount ? FilerSortKey : kSortKeyCount - 1), true);
  SetChecked(dialog, FilerSortDescending ? IDC_FCONF_DESCENDING : IDC_FCONF_ASCENDING, true);
  SetChecked(dialog, FilerVertical ? IDC_FCONF_VERTICAL : IDC_FCONF_HORIZONTAL, true);
  SetChecked(dialog, IDC_FCONF_DRIVE_BAR, ShowDriveBar != 0);
  SetChecked(dialog, IDC_FCONF_ONLY, true);
  SendDlgItemMessageA(dialog, IDC_FCONF_EXTENSIONS, EM_LIMITTEXT, kMaskTextLimit, 0);
  HWND list = TypeList(dialog);
  SendMessageA(list, LB_ADDSTRING, 0, LPARAM(kTypeFilterItem));
  for (const std::string& item : FilerMaskItems(FilerMask, kFilerMaskSize))
    SendMessageA(list, LB_ADDSTRING, 0, LPARAM(item.c_str()));
  ChooseTypeItem(dialog, FilerCustomType + 1);
  LayOutDialogPages(dialog, kPageWidth);
}

// Appends the field's extensions as an "only" or "all but" entry; an empty field, or an entry
// that would no longer fit the stored list, is refused with a message.
void AddTypeItem(HWND dialog) {
  char text[256] = "";
  GetDlgItemTextA(dialog, IDC_FCONF_EXTENSIONS, text, sizeof text);
  if (!text[0]) return ShowError(dialog, "拡張子を入力してください");
  std::vector<std::string> items = TypeItems(dialog);
  items.push_back(FilerMaskItem(IsChecked(dialog, IDC_FCONF_ONLY), text));
  char block[kFilerMaskSize];
  if (StoreFilerMaskItems(items, block, sizeof block) < items.size())
    return ShowError(dialog, "これ以上ファイルタイプを追加できません");
  int at = int(SendMessageA(TypeList(dialog), LB_ADDSTRING, 0, LPARAM(items.back().c_str())));
  ChooseTypeItem(dialog, at);
}

void DeleteTypeItem(HWND dialog) {
  const int index = SelectedTypeItem(dialog);
  if (index <= 0) {
    MessageBeep(0);
    return;
  }
  HWND list = TypeList(dialog);
  SendMessageA(list, LB_DELETESTRING, WPARAM(index), 0);
  const int count = int(SendMessageA(list, LB_GETCOUNT, 0, 0));
  ChooseTypeItem(dialog, index < count ? index : count - 1);
}

void ApplyFilerFont(HWND dialog) {
  const LOGFONTA* font = PropertyOf<LOGFONTA>(dialog, kFontProperty);
  if (!font) return;
  FilerFont = BytesFromLogFont(*font);
  FilerFontStored = true;
  if (HFONT created = CreateFontIndirectA(font)) FilerFontHandle.Reset(created);
  MeasureFilerFont();
}

void ApplyFilerSettings(HWND dialog) {
  ApplyFilerFont(dialog);
  FilerInfoColumns = Bits(dialog, IDC_FCONF_SIZE_COLUMN);
  FilerTypeFilter = Bits(dialog, IDC_FCONF_PROGRAMS);
  for (int key = 0; key < kSortKeyCount; ++key)
    if (IsChecked(dialog, IDC_FCONF_SORT_NAME + key)) FilerSortKey = uint8_t(key);
  FilerSortDescending = IsChecked(dialog, IDC_FCONF_DESCENDING) ? 1 : 0;
  FilerVertical = IsChecked(dialog, IDC_FCONF_VERTICAL) ? 1 : 0;
  StoreFilerMaskItems(TypeItems(dialog), FilerMask, kFilerMaskSize);
  FilerCustomType = SelectedTypeItem(dialog) - 1;
  ShowDriveBar = IsChecked(dialog, IDC_FCONF_DRIVE_BAR) ? 1 : 0;
}

LRESULT AnswerSample(HWND dialog, LPARAM query) {
  switch (query) {
    case kSampleFontQuery: {
      const LOGFONTA* font = PropertyOf<LOGFONTA>(dialog, kFontProperty);
      return font ? LRESULT(CreateFontIndirectA(font)) : 0;
    }
    case kSampleTextColorQuery:
      return LRESULT(GetSysColor(COLOR_WINDOWTEXT));
    default:
      return LRESULT(GetSysColor(COLOR_WINDOW));
  }
}

// WM_COMMAND; true when the message result was set (the sample's questions).
bool OnCommand(HWND dialog, WPARAM wParam, LPARAM lParam) {
  switch (LOWORD(wParam)) {
    case IDC_FCONF_FONT_SAMPLE:
      SetWindowLongPtrA(dialog, DWLP_MSGRESULT, AnswerSample(dialog, lParam));
      return true;
    case IDC_FCONF_TYPES:
      if (HIWORD(wParam) == LBN_SELCHANGE) ChooseTypeItem(dialog, SelectedTypeItem(dialog));
      break;
    case IDC_FCONF_ADD:
      AddTypeItem(dialog);
      break;
    case IDC_FCONF_DELETE:
      DeleteTypeItem(dialog);
      break;
    case IDC_FCONF_CHOOSE_FONT:
      ChooseDialogFont(dialog, IDC_FCONF_FONT_SAMPLE, 0, GetSysColor(COLOR_WINDOWTEXT));
      break;
    case IDC_HELP_BUTTON:
      ShowDialogHelp(dialog, kFilerHelpContext);
      break;
    case IDC_OK:
      ApplyFilerSettings(dialog);
      RecreateFilerWindow();
      (void)SaveSettings();  // best effort: the settings apply to this session either way
      CloseSettingsDialog(dialog, IDOK);
      break;
    case IDC_CANCEL:
      CloseSettingsDialog(dialog, IDCANCEL);
      break;
  }
  return false;
}

}  // namespace

INT_PTR CALLBACK FilerConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(dialog);
      return TRUE;
    case WM_COMMAND:
      return OnCommand(dialog, wParam, lParam);
    case WM_HSCROLL:
    case WM_VSCROLL:
      return OnFolderNotification(dialog, message, wParam, lParam, IDC_SETTINGS_FOLDER, IDC_SETTINGS_FRAME);
    case WM_DESTROY:
      FreeProperty<LOGFONTA>(dialog, kFontProperty);
      return FALSE;
  }
  return FALSE;
}

void ShowFilerSettingsDialog(HWND owner) { RunDialog(IDD_FILER_SETTINGS, owner, FilerConfigDialogProc); }
