// The front end of Zelko Filer's list: a left-button press selects the item under the
// pointer and either turns into a drag of that file (the pointer moves more than 6 pixels
// with the button down) or, released without that, tells the filer of the selection as a
// click.  Characters are kept from the list's own incremental search, which would jump
// between items (every item text begins with its column marker) and open them.
#include <cstdlib>

#include "viewer/filer/file_drop_source_win.h"
#include "viewer/filer/filer_parts_win.h"

namespace {

constexpr int kDragDistance = 6;
constexpr DWORD kPollMs = 20;

WNDPROC ListBoxProcedure = nullptr;

// The item under a client point, or -1.
int ItemAt(HWND list, int x, int y) {
  RECT item;
  if (SendMessageA(list, LB_GETITEMRECT, 0, LPARAM(&item)) == LB_ERR) return -1;
  int r = item.bottom - item.top;
  int w = item.right - item.left;
  if (r <= 0 || w <= 0 || x < 0 || y < 0) return -1;
  RECT client;
  GetClientRect(list, &client);
  int top = int(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
  bool columns = (GetWindowLongPtrA(list, GWL_STYLE) & LBS_MULTICOLUMN) != 0;
  int index = top + y / r + (columns ? (x / w) * (client.bottom / r) : 0);
  return index < int(SendMessageA(list, LB_GETCOUNT, 0, 0)) ? index : -1;
}

// Follows the mouse until the button goes up (false) or it moves far enough for a drag (true).
bool DetectDrag(HWND list, POINT press) {
  SetCapture(list);
  for (;;) {
    MSG message;
    // Moves and the release in the order they came (the range holds only these and a press).
    if (PeekMessageA(&message, list, WM_MOUSEMOVE, WM_LBUTTONUP, PM_REMOVE)) {
      if (message.message == WM_LBUTTONUP) {
        ReleaseCapture();
        return false;
      }
      if (message.message != WM_MOUSEMOVE) continue;
      int dx = std::abs(short(LOWORD(message.lParam)) - press.x);
      int dy = std::abs(short(HIWORD(message.lParam)) - press.y);
      if (dx > kDragDistance || dy > kDragDistance) {
        ReleaseCapture();
        return true;
      }
      continue;
    }
    if (GetCapture() != list) return false;  // the capture was taken away: no drag
    MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_MOUSE);
  }
}

void OnLeftButtonDown(HWND list, int x, int y) {
  SetFocus(list);
  int index = ItemAt(list, x, y);
  if (index < 0) return;
  SendMessageA(list, LB_SETCURSEL, WPARAM(index), 0);
  std::string path = FilerItemPath(list, index);
  if (!DetectDrag(list, POINT{x, y})) {
    PostMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE), LPARAM(list));
    return;
  }
  if (!path.empty()) DragFileOut(path);
}

}  // namespace

LRESULT CALLBACK FilerListBoxFrontEnd(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(list, short(LOWORD(lParam)), short(HIWORD(lParam)));
      return 0;
    case WM_CHAR:
      return 0;
  }
  return CallWindowProcA(ListBoxProcedure, list, message, wParam, lParam);
}

void SubclassFilerList(HWND list) {
  WNDPROC old = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(list, GWLP_WNDPROC, LONG_PTR(FilerListBoxFrontEnd)));
  if (!ListBoxProcedure) ListBoxProcedure = old;
}
