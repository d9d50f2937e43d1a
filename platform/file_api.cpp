// The file API's calls that can fail, each asking the fault plan first and then the system
// (file_api_posix.cpp or file_api_win.cpp).
#include "platform/file_api.h"

#include "platform/fault_plan.h"

namespace fileapi {

using faults::Operation;

Handle Open(const char* path, int mode) {
  return faults::Fails(Operation::kOpen) ? kInvalidHandle : system::Open(path, mode);
}

Handle Create(const char* path) {
  return faults::Fails(Operation::kOpen) ? kInvalidHandle : system::Create(path);
}

int64_t Read(Handle handle, void* buffer, uint32_t count) {
  return faults::Fails(Operation::kRead) ? -1 : system::Read(handle, buffer, faults::ReadLimit(count));
}

int64_t Write(Handle handle, const void* buffer, uint32_t count) {
  return faults::Fails(Operation::kWrite) ? -1 : system::Write(handle, buffer, count);
}

int64_t Seek(Handle handle, int64_t offset, int origin) {
  return faults::Fails(Operation::kSeek) ? -1 : system::Seek(handle, offset, origin);
}

}  // namespace fileapi
