// The two list pairs of the settings dialog (tool bar and right-button menus): a list being
// edited, a list of what may be inserted, and the five buttons that edit the first ("→"
// delete, "←" insert, "↑" / "↓" move, "ｾﾊﾟﾚｰﾀ" a gap).  Items carry their text and a number
// (a tool-bar row or a command code; kGapItem for a gap or separator).  Both lists are
// owner-drawn, the tool-bar lists with each button's image.
#pragma once

#include <windows.h>

#include <cstddef>
#include <vector>

struct ListPair {
  int current;    // the list being edited
  int available;  // the items that can be inserted
  size_t limit;   // the most items the edited list may hold
  const char* limitMessage;  // shown when an insertion would pass the limit
};

// The five buttons are numbered by their id: page x 1000 + 300 .. 304.
constexpr int kListButtonBase = 300;
// Carries out button `buttonId` on the pair; an edit without the selection it needs beeps.
void EditListPair(HWND dialog, const ListPair& pair, int buttonId);

// Gap and separator text.
constexpr char kGapText[] = "--------";
void AppendListItem(HWND list, const char* text, int data);
std::vector<int> ListItemData(HWND list);

// WM_MEASUREITEM and WM_DRAWITEM of the lists; withImage draws the tool button's image.
void MeasureListItem(MEASUREITEMSTRUCT* item);
void DrawListItem(const DRAWITEMSTRUCT* item, bool withImage);
