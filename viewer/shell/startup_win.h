// The pieces of the viewer's start and end: the control library check, the shared GDI
// resources and menus, the fonts made from the settings, and their release at shutdown.
#pragma once

#include <windows.h>

// Loads "PLIM32.DLL" into ControlLibrary and checks that its GETVersion is at least 144.
// False (nothing held) when it is missing or too old.
bool LoadControlLibrary();
void FreeControlLibrary();
// Tells the user that the control library is missing: its help topic, or a message box when
// the help file is not there.
void ShowMissingLibraryHelp();

// The stock OEM font, the bitmaps, the menu "Main", the cursors and the filer's popup menu.
void LoadSharedResources();
// The text and filer fonts from the settings (null: the stock font is used).
void CreateSettingFonts();
// Menus, GDI objects and cursors, in the order shutdown releases them.
void ReleaseSharedResources();
