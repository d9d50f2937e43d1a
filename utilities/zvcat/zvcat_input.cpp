// Checks of the input file, each failure with the message naming its cause.
#include "utilities/zvcat/zvcat_input.h"

#include "platform/file_api.h"
#include "utilities/zvcat/zvcat_messages.h"

bool CheckInputFile(const std::string& path) {
  const char* name = path.c_str();
  if (fileapi::IsDirectory(name)) {
    Report(zvmsg::kIsFolder, name);
    return false;
  }
  if (!fileapi::IsRegularFile(name)) {
    Report(zvmsg::kFileNotFound, name);
    return false;
  }
  fileapi::Handle handle = fileapi::Open(name, fileapi::kShareDenyNone);
  if (handle == fileapi::kInvalidHandle) {
    Report(zvmsg::kCannotRead, name, SystemReason().c_str());
    return false;
  }
  fileapi::Close(handle);
  return true;
}
