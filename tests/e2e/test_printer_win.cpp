// The test printer (see test_printer_win.h).
#include "tests/e2e/test_printer_win.h"

#include <winspool.h>

#include <cstdio>

#include "tests/e2e/e2e_driver_win.h"

namespace e2e {

namespace {

constexpr char kDriverName[] = "ZV Test PostScript";
constexpr char kEnvironment[] = "Windows x64";

// The build folder is on Wine's drive Z:, which is the Unix root.
std::string UnixPath(const std::string& windowsPath) {
  std::string path = windowsPath.substr(2);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  return path;
}

// Wine's spooler keeps a generic PPD among its resources; the driver needs one as a file.
bool WriteGenericPpd(const std::string& path) {
  HMODULE spooler = GetModuleHandleA("winspool.drv");
  if (!spooler) spooler = LoadLibraryA("winspool.drv");
  HRSRC resource = spooler ? FindResourceA(spooler, MAKEINTRESOURCEA(1), "PPDFILE") : nullptr;
  if (!resource) return false;
  const void* data = LockResource(LoadResource(spooler, resource));
  DWORD size = SizeofResource(spooler, resource);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool written = std::fwrite(data, 1, size, file) == size;
  std::fclose(file);
  return written;
}

bool AddDriver(const std::string& ppd) {
  DRIVER_INFO_3A driver{};
  driver.cVersion = 3;
  driver.pName = const_cast<char*>(kDriverName);
  driver.pEnvironment = const_cast<char*>(kEnvironment);
  driver.pDriverPath = const_cast<char*>("wineps.drv");
  driver.pDataFile = const_cast<char*>(ppd.c_str());
  driver.pConfigFile = const_cast<char*>("wineps.drv");
  driver.pDefaultDataType = const_cast<char*>("RAW");
  return AddPrinterDriverExA(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES | APD_COPY_FROM_DIRECTORY) != 0;
}

bool AddPrinterOnPort(const std::string& port) {
  PRINTER_INFO_2A info{};
  info.pPrinterName = const_cast<char*>(kTestPrinterName);
  info.pPortName = const_cast<char*>(port.c_str());
  info.pDriverName = const_cast<char*>(kDriverName);
  info.pPrintProcessor = const_cast<char*>("WinPrint");
  info.pDatatype = const_cast<char*>("RAW");
  HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
  if (!printer) return false;
  // "Courier" in a LOGFONT selects the printer's own Courier, whose text stays readable.
  SetPrinterDataExA(printer, "PrinterDriverData\\FontSubTable", "Courier", REG_SZ,
                    reinterpret_cast<BYTE*>(const_cast<char*>("Courier")), 8);
  ClosePrinter(printer);
  return true;
}

}  // namespace

std::string PrintJobPath(const char* name) { return ExeDir() + "\\print\\" + name; }

bool InstallTestPrinter(const std::string& jobPath, std::string& error) {
  RemoveTestPrinter();
  CreateDirectoryA((ExeDir() + "\\print").c_str(), nullptr);
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  std::string ppd = std::string(temp) + "zvtest.ppd";
  if (!WriteGenericPpd(ppd)) return error = "Wine's generic PPD was not found", false;
  if (!AddDriver(ppd)) return error = "AddPrinterDriverEx failed: " + std::to_string(GetLastError()), false;
  if (!AddPrinterOnPort(UnixPath(jobPath))) return error = "AddPrinter failed: " + std::to_string(GetLastError()), false;
  if (!SetDefaultPrinterA(kTestPrinterName)) return error = "SetDefaultPrinter failed", false;
  return true;
}

void RemoveTestPrinter() {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSA access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (OpenPrinterA(const_cast<char*>(kTestPrinterName), &printer, &access)) {
    DeletePrinter(printer);
    ClosePrinter(printer);
  }
  DeletePrinterDriverA(nullptr, const_cast<char*>(kEnvironment), const_cast<char*>(kDriverName));
}

HDC CreateTestPrinterDC() { return CreateDCA(nullptr, kTestPrinterName, nullptr, nullptr); }

}  // namespace e2e
