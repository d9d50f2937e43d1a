// The temporary copy of standard input on Windows: a file in the temporary folder, written
// through the C library in binary and deleted when zvcat ends.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <string>

#include "utilities/zvcat/zvcat_stdin.h"

bool StandardInputIsTerminal() { return _isatty(_fileno(stdin)) != 0; }

bool CreateInputCopy(std::string& path, int& handle) {
  char folder[MAX_PATH] = "";
  char file[MAX_PATH] = "";
  DWORD length = GetTempPathA(sizeof folder, folder);
  if (length == 0 || length >= sizeof folder || !GetTempFileNameA(folder, "zvc", 0, file)) return false;
  handle = _open(file, _O_WRONLY | _O_BINARY | _O_TRUNC, _S_IREAD | _S_IWRITE);
  if (handle < 0) {
    DeleteFileA(file);
    return false;
  }
  path = file;
  _setmode(_fileno(stdin), _O_BINARY);
  return true;
}

long long ReadStandardInput(void* buffer, unsigned count) { return _read(_fileno(stdin), buffer, count); }

long long WriteInputCopy(int handle, const void* buffer, unsigned count) {
  int put = _write(handle, buffer, count);
  return put == int(count) ? put : -1;
}

void RemoveInputCopy(const std::string& path, int handle) {
  if (handle >= 0) _close(handle);
  DeleteFileA(path.c_str());
}
