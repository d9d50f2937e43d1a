// The progress dialog "Abort": a modeless box with a title, a centred message, an optional
// meter and the button "中止(&C)" that sets the caller's cancel flag.  Long operations (batch
// search, the analyses, printing) open it, run their loop on the interface thread, pump the
// queue through PumpMessages after each step, and destroy it themselves when they end.  One
// progress dialog at a time per process.
#pragma once

#include <windows.h>

#include <cstdint>

struct AbortDialogParams {
  const char* TitleText;
  const char* MessageText;
  int32_t MeterStyle;   // the meter's maximum; -1 hides the meter
  int32_t* CancelFlag;  // set to 1 when the user cancels
};

INT_PTR CALLBACK AbortDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Opens the progress dialog modeless, owned by `owner`; `params` must outlive it.  Null when
// the template could not be created (the caller carries on without one).
HWND OpenAbortDialog(HWND owner, AbortDialogParams* params);

// While the cancel flag is 0 and a message waits, lets the dialog take it as a dialog message
// or else translates and dispatches it.  A WM_QUIT taken here is posted again for the main
// loop, and ends the pumping.
void PumpMessages(HWND dialog, const int32_t* cancelFlag);

// The message line of the progress dialog, drawn at once.
void SetAbortText(HWND dialog, const char* text);
// The meter's position (of the maximum given as MeterStyle), drawn at once.
void SetAbortMeter(HWND dialog, int position);

// Decides when a loop's progress goes to the screen: under Wine every window call is a round
// trip to the server, so a count that changes thousands of times a second is shown about ten
// times a second; the caller shows the final value itself.
class ProgressThrottle {
 public:
  explicit ProgressThrottle(uint32_t intervalMs = 100);
  // True at most once per interval (and on the first call).
  bool Due();

 private:
  uint32_t intervalMs_;
  uint32_t last_;
  bool started_ = false;
};
