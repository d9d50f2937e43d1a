// The progress dialog "Abort" and its message pump (see abort_dialog_win.h).
#include "viewer/search_windows/abort_dialog_win.h"

#include "viewer/resources/zv32_ids.h"
#include "viewer/frame/dialogs_win.h"
#include "platform/platform.h"

namespace {

// The parameter record of the open progress dialog.
AbortDialogParams* ActiveAbortParams = nullptr;

void CentreOnScreen(HWND dialog) {
  RECT r{};
  GetWindowRect(dialog, &r);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetUpMeter(HWND dialog, int32_t meterStyle) {
  HWND meter = GetDlgItem(dialog, IDC_ABORT_METER);
  if (!meter) return;
  if (meterStyle == -1) {
    ShowWindow(meter, SW_HIDE);
    return;
  }
  SendMessageA(meter, BM_SETSTATE, 0, 0);
  SendMessageA(meter, BM_SETSTYLE, WPARAM(meterStyle), 0);
}

BOOL OnInitDialog(HWND dialog, AbortDialogParams* params) {
  ActiveAbortParams = params;
  CentreOnScreen(dialog);
  if (!params) return TRUE;
  SetUpMeter(dialog, params->MeterStyle);
  SetWindowTextA(dialog, params->TitleText ? params->TitleText : "");
  SetDlgItemTextA(dialog, IDC_ABORT_TEXT, params->MessageText ? params->MessageText : "");
  return TRUE;
}

void Cancel() {
  if (ActiveAbortParams && ActiveAbortParams->CancelFlag) *ActiveAbortParams->CancelFlag = 1;
}

void Redraw(HWND control) {
  InvalidateRect(control, nullptr, TRUE);
  UpdateWindow(control);
}

}  // namespace

INT_PTR CALLBACK AbortDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, reinterpret_cast<AbortDialogParams*>(lParam));
    case WM_COMMAND:
      // The button, and Escape as the same request.
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        Cancel();
        return TRUE;
      }
      break;
    case WM_DESTROY:
      ActiveAbortParams = nullptr;
      break;
  }
  return FALSE;
}

HWND OpenAbortDialog(HWND owner, AbortDialogParams* params) {
  HWND dialog = CreateModelessDialog(IDD_ABORT, owner, AbortDialogProc, LPARAM(params));
  if (!dialog) return nullptr;
  ShowWindow(dialog, SW_SHOW);
  UpdateWindow(dialog);
  return dialog;
}

void PumpMessages(HWND dialog, const int32_t* cancelFlag) {
  MSG message;
  while (*cancelFlag == 0 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(int(message.wParam));
      return;
    }
    if (dialog && IsDialogMessageA(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void SetAbortText(HWND dialog, const char* text) {
  HWND item = dialog ? GetDlgItem(dialog, IDC_ABORT_TEXT) : nullptr;
  if (!item) return;
  SetWindowTextA(item, text);
  Redraw(item);
}

void SetAbortMeter(HWND dialog, int position) {
  HWND meter = dialog ? GetDlgItem(dialog, IDC_ABORT_METER) : nullptr;
  if (!meter) return;
  SendMessageA(meter, BM_SETSTATE, WPARAM(position), 0);
  Redraw(meter);
}

ProgressThrottle::ProgressThrottle(uint32_t intervalMs) : intervalMs_(intervalMs), last_(TickCount()) {}

bool ProgressThrottle::Due() {
  const uint32_t now = TickCount();
  if (started_ && now - last_ < intervalMs_) return false;
  started_ = true;
  last_ = now;
  return true;
}
