// Control ids of the control gallery, shared by the gallery program, its dialog template and
// the tests that drive it (macros, so the resource compiler reads them too).
#pragma once

#define StaticLeft 101
#define StaticCentre 102
#define StaticBottomRight 103
#define StaticDisabled 104
#define Tray 105
#define TrayCaption 106
#define BorderHorizontal 107
#define BorderVertical 108
#define GroupButtons 110
#define GroupMarks 111
#define PushDefault 201
#define PushCancel 202
#define PushPressed 203
#define PushDisabled 204
#define BitmapButton 205
#define ToolPush 206
#define ToolLatch 207
#define ToolLatched 208
#define CheckPlain 301
#define CheckChecked 302
#define CheckDisabled 303
#define RadioOne 311
#define RadioTwo 312
#define RadioThree 313
#define BuddyEdit 401
#define BuddySpin 402
#define PlainSpin 403
#define MeterBlue 404
#define MeterBlack 405
#define ListBox 406
#define ComboBox 407
#define Saying 408
#define Folder 501
#define Ghost 601
#define GhostEdit 602
#define Log 900
#define SizeGrip 950
// Page controls: id / 1000 is the folder page they belong to.
#define PageOneButton 1001
#define PageOneCheck 1002
#define PageTwoButton 2001
#define PageThreeText 3001

// The gallery counts the dialog's background erasures and its tool buttons' mouse-move
// notices in these window properties of the dialog.
#define GALLERY_ERASE_COUNT "ZvGalleryErasures"
#define GALLERY_TOOL_MOVES "ZvGalleryToolMoves"
