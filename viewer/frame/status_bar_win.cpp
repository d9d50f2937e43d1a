// The status bar's message item and the busy cursor of the main window.
//
// A message of priority 1 (a result the user must see) is held for kStatusHoldMs against
// messages of priority 0 (menu help lines, tool descriptions) and against clearing; the main
// loop asks to clear the item on every idle turn, which takes effect once the hold is over.
#include "viewer/frame/status_bar_win.h"

#include <string>

#include "platform/platform.h"
#include "viewer/frame/viewer_globals_win.h"

namespace {

uint32_t MessageSetAt = 0;
int MessagePriority = 0;
bool MessageShown = false;  // the item holds a text (clearing an empty item is skipped)
int BusyCount = 0;

// The message a menu found when it opened.
struct RememberedMessage {
  std::string text;
  uint32_t setAt = 0;
  int priority = 0;
  bool shown = false;
};
RememberedMessage BeforeMenu;

// Item 1003 of the main window, looked up once per main window.
HWND MessageItem() {
  static HWND owner = nullptr;
  static HWND item = nullptr;
  if (owner != MainWindow) {
    owner = MainWindow;
    item = MainWindow ? GetDlgItem(MainWindow, kMessageTextId) : nullptr;
  }
  return item;
}

}  // namespace

void ShowStatusMessage(const char* text, int priority) {
  bool clearing = text[0] == '\0';
  if (clearing && !MessageShown) return;
  bool held = clearing || (MessagePriority == 1 && priority != 1);
  if (held && TickCount() - MessageSetAt < kStatusHoldMs) return;
  HWND item = MessageItem();
  if (!item) return;
  SetWindowTextA(item, text);
  MessageSetAt = TickCount();
  MessagePriority = priority;
  MessageShown = !clearing;
}

void StatusMessageText(char* buffer, int size) {
  buffer[0] = '\0';
  if (HWND item = MessageItem()) GetWindowTextA(item, buffer, size);
}

bool StatusMessageShowing() { return MessageShown; }

void RememberStatusMessage() {
  char text[256];
  StatusMessageText(text, sizeof text);
  BeforeMenu = {text, MessageSetAt, MessagePriority, MessageShown};
}

void RestoreStatusMessage() {
  HWND item = MessageItem();
  if (!item) return;
  SetWindowTextA(item, BeforeMenu.text.c_str());
  MessageSetAt = BeforeMenu.setAt;
  MessagePriority = BeforeMenu.priority;
  MessageShown = BeforeMenu.shown;
}

void SetBusy(bool on) {
  if (on) {
    ++BusyCount;
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  } else if (BusyCount > 0 && --BusyCount == 0) {
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  }
}
