// The text window's keys and mouse under Wine: keys become commands, the margin's cursor, hit
// tests and the context menu's choice, and selecting by press, drag, double click and timer.
#include "viewer/text_window/text_window_test_support_win.h"

#include <gtest/gtest.h>

namespace {

using namespace text_window_test;

TEST_F(TextWindowTest, KeysBecomeCommandsAndMouseMovesReachTheParent) {
  Show(Lines(3));
  MSG message;
  while (PeekMessageA(&message, parent, 0, 0, PM_REMOVE)) {
  }
  SendMessageA(TextWindow, WM_KEYDOWN, VK_NEXT, 0);
  ASSERT_TRUE(PeekMessageA(&message, parent, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(message.wParam, 20008u);
  SendMessageA(TextWindow, WM_KEYDOWN, VK_F24, 0);  // no record: nothing posted
  EXPECT_FALSE(PeekMessageA(&message, parent, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  SendMessageA(TextWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(33, 44));
  bool forwarded = false;
  while (PeekMessageA(&message, parent, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE))
    forwarded |= message.wParam == MK_LBUTTON && message.lParam == MAKELPARAM(33, 44);
  EXPECT_TRUE(forwarded);
  EXPECT_EQ(SendMessageA(TextWindow, WM_MOUSEACTIVATE, WPARAM(parent), 0), MA_ACTIVATE);
}

TEST_F(TextWindowTest, LineCursorOverTheMarginOnly) {
  ShowLineNumbers = 1;
  Show(Lines(3));
  HCURSOR cross = LoadCursorA(nullptr, IDC_CROSS);
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  LineCursor = cross;
  auto cursorAt = [&](int x) {
    POINT point{x, 5};
    ClientToScreen(TextWindow, &point);
    SetCursorPos(point.x, point.y);
    SetCursor(nullptr);
    SendMessageA(TextWindow, WM_SETCURSOR, WPARAM(TextWindow), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };
  EXPECT_EQ(cursorAt(2), cross);                 // over the line numbers
  EXPECT_EQ(cursorAt(TextLeftEdge - 1), cross);  // the margin
  EXPECT_EQ(cursorAt(TextLeftEdge + 1), arrow);
  LineCursor = nullptr;
  EXPECT_EQ(cursorAt(2), arrow);
}

TEST_F(TextWindowTest, HitTestAndContextMenuChoice) {
  Show("ABCDEF\r\n漢字\r\nxyz");
  const int y0 = RowTop(0) + 2, y1 = RowTop(1) + 2;
  auto at = [](int x, int y) { return HitTest(POINT{x, y}); };
  EXPECT_EQ(at(2, y0).column, -1);  // the margin
  EXPECT_EQ(at(ColumnX(2) + 1, y0).column, 2);
  EXPECT_EQ(at(ColumnX(2) + CharWidth - 1, y0).column, 3);  // right half of C
  EXPECT_EQ(at(ColumnX(6) + 1, y0).column, 6);             // the line-end position
  EXPECT_EQ(at(ColumnX(7) + 2, y0).column, 8);             // past it: CR LF included
  EXPECT_EQ(at(ColumnX(30), y0).column, -1);
  EXPECT_EQ(at(ColumnX(2) + 2, y1).column, 2);  // 字 is bytes 2 and 3
  EXPECT_EQ(at(ColumnX(0), y1).row, 1);
  EXPECT_EQ(at(ColumnX(0), y0 + 2 * TheDocument.RowHeight).column, 0);
  int32_t selection[4] = {0, 1, 3, 2};
  std::copy(selection, selection + 4, TheDocument.Selection);
  EXPECT_EQ(ContextMenuAt(POINT{ColumnX(4), y0}), 0);
  EXPECT_EQ(ContextMenuAt(POINT{ColumnX(1), y0}), 2);
  EXPECT_EQ(ContextMenuAt(POINT{2, y0}), 1);
  EXPECT_EQ(ContextMenuAt(POINT{ColumnX(3), y1}), 2);  // the selection ends before 字
  int32_t rows[4] = {1, 1, -1, -1};
  std::copy(rows, rows + 4, TheDocument.Selection);
  EXPECT_EQ(ContextMenuAt(POINT{2, y1}), 0);
}

// ---- mouse selection ----

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

std::vector<int32_t> SelectionNow() { return {TheDocument.Selection, TheDocument.Selection + 4}; }

// Delivers the moves waiting for the text window (the ones the drag timer posts).
int DeliverMoves(HWND window) {
  MSG message;
  int delivered = 0;
  while (PeekMessageA(&message, window, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) {
    DispatchMessageA(&message);
    ++delivered;
  }
  return delivered;
}

TEST_F(TextWindowTest, PressDragAndReleaseSelectCharacters) {
  Show("ABCDEF\r\n漢字\r\nxyz");
  const int y0 = RowTop(0) + 2, y1 = RowTop(1) + 2, y2 = RowTop(2) + 2;
  SendMessageA(TextWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(ColumnX(2) + 1, y0));
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{0, 0, 2, 2}));
  EXPECT_EQ(TheDocument.Dragging, 1);
  EXPECT_EQ(GetCapture(), TextWindow);
  SendMessageA(TextWindow, WM_MOUSEMOVE, MK_LBUTTON, At(ColumnX(1) + 1, y1));  // the right half of 漢
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{0, 1, 2, 2}));
  Pixels dragged = Capture(TextWindow);  // repainted at once, before the release
  EXPECT_EQ(dragged.At(ColumnX(2) - 1, RowBottom(0) - 1), kBack);
  EXPECT_EQ(dragged.At(ColumnX(2), RowBottom(0) - 1), kInvertedBack);
  EXPECT_EQ(dragged.At(ColumnX(1) - 1, RowBottom(1) - 1), kInvertedBack);  // 漢
  EXPECT_EQ(dragged.At(ColumnX(2), RowBottom(1) - 1), kBack);               // 字
  SendMessageA(TextWindow, WM_LBUTTONUP, 0, At(ColumnX(1) + 1, y1));
  EXPECT_EQ(TheDocument.Dragging, 0);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{0, 1, 2, 2}));

  // From the middle of row 2 up into the margin of row 0: the end is the start of row 0.
  SendMessageA(TextWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(ColumnX(1) + 1, y2));
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{2, 2, 1, 1}));
  SendMessageA(TextWindow, WM_MOUSEMOVE, MK_LBUTTON, At(2, y0));
  SendMessageA(TextWindow, WM_LBUTTONUP, 0, At(2, y0));
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{2, 0, 1, 0}));
  // A move without a drag changes nothing.
  SendMessageA(TextWindow, WM_MOUSEMOVE, 0, At(ColumnX(4), y1));
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{2, 0, 1, 0}));
}

TEST_F(TextWindowTest, ReleaseCopiesWhenCopyOnSelectIsOn) {
  Show("ABCDEF\r\n");
  MSG message;
  auto copyPosted = [&] {
    bool posted = false;
    while (PeekMessageA(&message, parent, WM_COMMAND, WM_COMMAND, PM_REMOVE)) posted |= message.wParam == 112;
    return posted;
  };
  copyPosted();
  CopyOnSelect = 0;
  SendMessageA(TextWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(ColumnX(1), 2));
  SendMessageA(TextWindow, WM_LBUTTONUP, 0, At(ColumnX(1), 2));
  EXPECT_FALSE(copyPosted());
  CopyOnSelect = 1;
  SendMessageA(TextWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(ColumnX(1), 2));
  SendMessageA(TextWindow, WM_LBUTTONUP, 0, At(ColumnX(1), 2));
  EXPECT_TRUE(copyPosted());
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{0, 0, 1, 1}));  // pressed without moving: empty
  SendMessageA(TextWindow, WM_LBUTTONUP, 0, At(ColumnX(1), 2));   // no drag: no copy
  EXPECT_FALSE(copyPosted());
  CopyOnSelect = 0;
}

TEST_F(TextWindowTest, MarginPressAndDoubleClickSelectRows) {
  Show("one\r\ntwo\r\nthree\r\nfour\r\n");
  SendMessageA(TextWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(2, RowTop(1) + 2));
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{1, 1, -1, -1}));
  SendMessageA(TextWindow, WM_MOUSEMOVE, MK_LBUTTON, At(ColumnX(2), RowTop(2) + 2));
  SendMessageA(TextWindow, WM_LBUTTONUP, 0, At(ColumnX(2), RowTop(2) + 2));
  EXPECT_EQ(TheDocument.Selection[0], 1);
  EXPECT_EQ(TheDocument.Selection[1], 2);
  EXPECT_EQ(TheDocument.Selection[2], -1);  // still rows
  // The press of a double-click started a character selection; the double-click makes it rows.
  SendMessageA(TextWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(ColumnX(1), RowTop(3) + 2));
  SendMessageA(TextWindow, WM_LBUTTONUP, 0, At(ColumnX(1), RowTop(3) + 2));
  SendMessageA(TextWindow, WM_LBUTTONDBLCLK, MK_LBUTTON, At(ColumnX(1), RowTop(3) + 2));
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{3, 3, -1, -1}));
  EXPECT_EQ(GetCapture(), TextWindow);
  SendMessageA(TextWindow, WM_LBUTTONUP, 0, At(ColumnX(1), RowTop(3) + 2));
  Repaint();
  Pixels image = Capture(TextWindow);
  EXPECT_EQ(image.At(0, RowBottom(3) - 1), kInvertedBack);
  EXPECT_EQ(image.At(image.width - 1, RowBottom(3) - 1), kInvertedBack);
  EXPECT_EQ(image.At(0, RowBottom(2) - 1), kBack);
  ClearSelection();
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{-1, -1, -1, -1}));
}

TEST_F(TextWindowTest, TimerMovesBelowTheWindowScroll) {
  Show(Lines(300));
  SendMessageA(TextWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(ColumnX(1), RowTop(0) + 2));
  POINT below{ColumnX(3), ClientHeight() + 20};
  ClientToScreen(TextWindow, &below);
  SetCursorPos(below.x, below.y);
  DeliverMoves(TextWindow);  // the pointer's own move: no scrolling
  EXPECT_EQ(TheDocument.TopLine, 0);
  SendMessageA(TextWindow, WM_TIMER, 1, 0);
  SendMessageA(TextWindow, WM_TIMER, 1, 0);  // a move is waiting already: no second one
  EXPECT_EQ(DeliverMoves(TextWindow), 1);
  EXPECT_EQ(TheDocument.TopLine, 1);
  EXPECT_EQ(TheDocument.Selection[1], TheDocument.TopLine + (ClientHeight() + 20) / TheDocument.RowHeight);
  // Four rows a tick with Shift, sixteen with Shift and Ctrl; the system timer message too.
  SendMessageA(TextWindow, WM_MOUSEMOVE, 0x10 | MK_SHIFT, At(ColumnX(3), ClientHeight() - 1));
  EXPECT_EQ(TheDocument.TopLine, 5);
  SendMessageA(TextWindow, WM_MOUSEMOVE, 0x10 | MK_SHIFT | MK_CONTROL, At(ColumnX(3), ClientHeight() - 1));
  EXPECT_EQ(TheDocument.TopLine, 21);
  SendMessageA(TextWindow, 0x118, 0, 0);
  EXPECT_EQ(DeliverMoves(TextWindow), 1);
  EXPECT_EQ(TheDocument.TopLine, 22);
  // Moves of the pointer itself (no 0x10) never scroll; above the window the timer scrolls up.
  SendMessageA(TextWindow, WM_MOUSEMOVE, MK_LBUTTON, At(ColumnX(3), ClientHeight() - 1));
  EXPECT_EQ(TheDocument.TopLine, 22);
  SendMessageA(TextWindow, WM_MOUSEMOVE, 0x10, At(ColumnX(3), 1));
  EXPECT_EQ(TheDocument.TopLine, 21);
  EXPECT_EQ(TheDocument.Selection[1], 21);
  SendMessageA(TextWindow, WM_LBUTTONUP, 0, At(ColumnX(3), 1));
  SendMessageA(TextWindow, WM_TIMER, 1, 0);  // the drag is over: the tick does nothing
  EXPECT_EQ(DeliverMoves(TextWindow), 0);
  EXPECT_EQ(TheDocument.TopLine, 21);
}

TEST_F(TextWindowTest, LostCaptureEndsTheDrag) {
  Show(Lines(3));
  SendMessageA(TextWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(ColumnX(1), 2));
  ASSERT_EQ(TheDocument.Dragging, 1);
  SetCapture(parent);
  EXPECT_EQ(TheDocument.Dragging, 0);
  ReleaseCapture();
  SendMessageA(TextWindow, WM_TIMER, 1, 0);
  EXPECT_EQ(DeliverMoves(TextWindow), 0);
}

TEST_F(TextWindowTest, PressOnAFlagDragsTheMark) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA strip{CS_DBLCLKS, MarkWindowProc, 0, 0, Instance, nullptr, nullptr, HBRUSH(COLOR_WINDOW + 1), nullptr,
                    kMarkListWindowClass};
    registered = RegisterClassA(&strip) != 0;
  }
  HWND strip = CreateWindowA(kMarkListWindowClass, "", WS_CHILD, 0, 0, 80, 10, parent, HMENU(kMarkListId), Instance,
                             nullptr);
  ASSERT_NE(strip, nullptr);
  Spacing = 15;
  Show(Lines(6));
  TheDocument.Marks[2] = 1;
  const int flagX = TextLeftEdge - 8 - (Spacing - 9) / 2 + 2;
  SendMessageA(TextWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(flagX, RowTop(1) + 2));
  ClipCursor(nullptr);
  EXPECT_EQ(GetCapture(), strip);
  EXPECT_EQ(INT_PTR(GetPropA(strip, "Line")), 2);
  EXPECT_EQ(TheDocument.Selection[0], -1);  // no selection started
  EXPECT_EQ(TheDocument.Dragging, 0);
  POINT drop{ColumnX(2), RowTop(4) + 2};
  MapWindowPoints(TextWindow, strip, &drop, 1);
  SendMessageA(strip, WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
  EXPECT_EQ(TheDocument.Marks[2], 4);
  EXPECT_EQ(GetCapture(), nullptr);
  // On a row without a mark the same place starts a row selection.
  SendMessageA(TextWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(flagX, RowTop(2) + 2));
  EXPECT_EQ(SelectionNow(), (std::vector<int32_t>{2, 2, -1, -1}));
  SendMessageA(TextWindow, WM_LBUTTONUP, 0, At(flagX, RowTop(2) + 2));
}

}  // namespace
