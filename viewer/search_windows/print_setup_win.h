// The print state shared by the set-up (the font dialog's hook) and the job, and the stored
// printing values: "SpaceR" (margins and options) and "PrinterFont".
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/win/owners.h"
#include "viewer/search/print_layout.h"
#include "viewer/settings/settings_win.h"

constexpr char kSpaceRValue[] = "SpaceR";
constexpr char kPrinterFontValue[] = "PrinterFont";
constexpr DWORD kSpaceRSize = 4;

// From the hook's OK to the end of the job.
struct PrintState {
  PrinterMetrics printer;  // of the default printer, measured before the font dialog opens
  PrintOffsets offsets;
  uint8_t flags = 0;
  HWND progress = nullptr;
  int32_t cancel = 0;  // PrintCancel: set by the progress dialog's button
};
extern PrintState ThePrint;

PrinterMetrics MeasurePrinter(HDC dc);

// A binary value of the settings key that has exactly `size` bytes.
bool ReadStoredBytes(const char* name, void* buffer, DWORD size);
void StoreBytes(const char* name, const void* data, DWORD size);
bool ReadSpaceR(SpaceR& value);
void StoreSpaceR(const SpaceR& value);

// A message box about printing, owned by the main window.
void ShowPrintMessage(const char* text);
