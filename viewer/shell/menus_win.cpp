// placeholder until built
#include "viewer/shell/menus_win.h"
void BuildContextMenus() {}
void DestroyContextMenus() {}
void UpdatePopupMenu(HMENU, int) {}
void ShowContextMenu(int, POINT) {}
void TrackMainSubMenu(int, int) {}
