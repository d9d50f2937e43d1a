// Tab pages of the settings dialogs (see dialog_pages_win.h).
#include "viewer/shell/dialog_pages_win.h"

namespace {

constexpr int kPageIdUnit = 1000;

int PageOf(HWND control) { return GetDlgCtrlID(control) / kPageIdUnit; }

template <typename Action>
void ForEachControl(HWND dialog, Action action) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) action(child);
}

int DialogUnitsToPixels(HWND dialog, int units) {
  RECT rect{0, 0, units, 0};
  MapDialogRect(dialog, &rect);
  return rect.right;
}

}  // namespace

void LayOutDialogPages(HWND dialog, int pageWidth) {
  const int pagePixels = DialogUnitsToPixels(dialog, pageWidth);
  ForEachControl(dialog, [&](HWND control) {
    const int page = PageOf(control);
    if (page < 2) return;
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    ShowWindow(control, SW_HIDE);
    SetWindowPos(control, nullptr, rect.left - (page - 1) * pagePixels, rect.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  });
}

void ShowDialogPage(HWND dialog, int page, bool show) {
  ForEachControl(dialog, [&](HWND control) {
    if (PageOf(control) == page) ShowWindow(control, show ? SW_SHOWNA : SW_HIDE);
  });
}

bool OnFolderNotification(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, int folderId, int frameId) {
  if (reinterpret_cast<HWND>(lParam) != GetDlgItem(dialog, folderId)) return false;
  const int page = HIWORD(wParam);
  const bool show = message == WM_HSCROLL;
  ShowDialogPage(dialog, page, show);
  if (!show) return true;
  if (HWND frame = GetDlgItem(dialog, frameId)) {
    RECT rect;
    GetWindowRect(frame, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    InvalidateRect(dialog, &rect, TRUE);
  }
  return true;
}

void SelectDialogPage(HWND dialog, int folderId, int page) {
  SendMessageA(GetDlgItem(dialog, folderId), BM_SETSTATE, WPARAM(page), 0);
}
