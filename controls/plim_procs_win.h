// The sixteen exported control procedures of PLIM32.DLL and the button base they share.
#pragma once

#include <windows.h>

#include "controls/plim_logic.h"

extern "C" {
LRESULT CALLBACK PlimStaticProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PlimTrayProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PlimBorderProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PlimSizeGripProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PlimGroupProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PlimGhostProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PlimSayingProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PlimDialogProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PlimButtonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PlimCheckBoxProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PlimRadioProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PlimBitmapButtonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PlimToolButtonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PlimSpinProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PlimMeterProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PlimFolderProc(HWND, UINT, WPARAM, LPARAM);
}

namespace plim {

// The messages every push-style class shares (after its own handling).
LRESULT ButtonBaseProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Completes a click of the given kind: state, radio group, WM_COMMAND to the parent.
void ClickButton(HWND hwnd, Click kind);
// BM_CLICK, the space bar's release and the mouse release while tracking, completed by `kind`.
bool HandleClickRelease(HWND hwnd, UINT message, WPARAM wParam, Click kind, LRESULT* result);
// The focus rectangle around a label.
void DrawFocusAround(HDC dc, RECT label);

}  // namespace plim
