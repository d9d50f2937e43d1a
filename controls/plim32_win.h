// What programs that use PLIM32.DLL need to know: its class names, the messages its
// controls answer beyond the standard button messages, and the creation parameters of the
// tool and bitmap buttons (passed as the lpParam of CreateWindow).
#pragma once

#include <windows.h>

#define PLIM_VERSION 144

// "PlimMeter": 1029 sets the background colour (lParam).
#define PLIM_METER_SETBACKGROUND (WM_USER + 5)

// "PlimTool" creation parameter (required): image Index of the 20 x 16 images in Strip.
struct PlimToolCreate {
  HBITMAP Strip;
  INT_PTR Index;
};

// "PlimBitmapButton" creation parameter (optional): the bitmap and its size.
struct PlimBitmapCreate {
  int Width;
  int Height;
  HBITMAP Bitmap;
};

extern "C" {
typedef WORD(WINAPI* PlimGetVersionFunction)(void);
}
