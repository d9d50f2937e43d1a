// The menus of the main window: the three right-button menus built from RMENU0..RMENU2, the
// dynamic items filled in when a popup opens (recent files, the window list, the kanji-code,
// mark and external-tool submenus), and popups opened at the cursor.
#pragma once

#include <windows.h>

// (Re)builds ContextMenus from RightMenus: item id 20000 + code named from CommandNameTable.
void BuildContextMenus();
void DestroyContextMenus();
// WM_INITMENUPOPUP of the main window.
void UpdatePopupMenu(HMENU popup, int position);
// Opens submenu `item` of top-level menu `menu` of MainMenu centred at the cursor (commands
// 149, 419, 800, 809, 959).
void TrackMainSubMenu(int menu, int item);
