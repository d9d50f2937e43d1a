// A printer for the end-to-end tests: Wine's PostScript driver with its generic PPD, its port
// a file of the build folder, made the default printer; and its removal, which leaves the
// prefix without printers as the other tests expect.  The printer maps the face "Courier" to
// the PostScript font of that name, so the text of a job can be read back from the file.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

constexpr char kTestPrinterName[] = "ZV Test Printer";

// A job file of the build folder's "print" folder (a Windows path).
std::string PrintJobPath(const char* name);
// Installs (or reinstalls) the printer with `jobPath` as its port; false with the reason in
// `error`.
bool InstallTestPrinter(const std::string& jobPath, std::string& error);
void RemoveTestPrinter();

// A device context of the test printer, for the figures a test compares with.
HDC CreateTestPrinterDC();

}  // namespace e2e
