// Names and ids of the resources of ZV32.EXE (zv32.rc), for LoadBitmap, LoadIcon,
// LoadCursor, LoadMenu and FindResource.  No windows.h here: the names are plain strings.
#pragma once

// Bitmaps.
constexpr char kToolBarBitmap[] = "ToolBar";    // 880 x 16: 44 tool-button images of 20 x 16
constexpr char kLogoBitmap[] = "Logo";          // 152 x 18 monochrome
constexpr char kFlagBitmap[] = "Flag";          // 33 x 10: flag, label mask at (3, 1), glyphs
constexpr char kIconBitmap[] = "Icon";          // 96 x 32: entry kinds, mask row and picture row
constexpr char kCrBitmap[] = "CR";              // 12 x 12 monochrome line-end mark
constexpr char kTabBitmap[] = "TAB";            // 6 x 12 monochrome tab mark
constexpr char kArchiveToolBarBitmap[] = "AToolBar";  // 60 x 16: extract, check all, help
constexpr char kFilerToolBarBitmap[] = "FToolBar";    // 200 x 16: Zelko Filer's buttons
constexpr char kDriveBitmap[] = "Drive";        // 108 x 32: drive kinds, mask row and picture row

// Icons by role; the second set is chosen by the setting SeriousIcons.
constexpr char kViewerIcon[] = "Main1";
constexpr char kListIcon[] = "Main2";
constexpr char kFilerIcon[] = "Main3";
constexpr char kSeriousViewerIcon[] = "Serious1";
constexpr char kSeriousListIcon[] = "Serious2";
constexpr char kSeriousFilerIcon[] = "Serious3";
constexpr char kDialogIcon[] = "xPlim";

// Cursors.
constexpr char kLineCursor[] = "Line";  // line-number gutter
constexpr char kFlagCursor[] = "Flag";  // dragging a mark
constexpr char kTabCursor[] = "Tab";    // the gutter tab

// The menu and the built-in key table (RCDATA).
constexpr char kMainMenu[] = "Main";
constexpr int kDefaultKeyTableId = 1;
