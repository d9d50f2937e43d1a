// The one set of owners for the platform's resources, shared by every deliverable (ZV32.EXE,
// PLIM32.DLL, ZVKEY32.EXE, PLIMCFG.EXE and the test programs): kernel handles, GDI objects and
// device contexts, menus, global memory and its lock, libraries, registry keys, find handles,
// global atoms, windows, the open clipboard and the busy cursor.  No file frees one of these by
// hand, and no file keeps a private copy of an owner.
#pragma once

#include <windows.h>

#include <cstdint>
#include <utility>

namespace win {

// An owned value of a handle type, freed by Traits::Free unless it is empty.  Traits says what
// counts as empty, so INVALID_HANDLE_VALUE and null can both mean "nothing".
template <typename Traits>
class Owner {
 public:
  using Handle = typename Traits::Handle;

  Owner() = default;
  explicit Owner(Handle handle) : handle_(handle) {}
  ~Owner() { Reset(); }
  Owner(const Owner&) = delete;
  Owner& operator=(const Owner&) = delete;
  Owner(Owner&& other) noexcept : handle_(other.Take()) {}
  Owner& operator=(Owner&& other) noexcept {
    if (this != &other) Reset(other.Take());
    return *this;
  }

  Handle get() const { return handle_; }
  operator Handle() const { return handle_; }
  explicit operator bool() const { return !Traits::IsEmpty(handle_); }

  // Gives up ownership: the caller (or the system, for the clipboard) frees it now.
  [[nodiscard]] Handle Take() { return std::exchange(handle_, Traits::Empty()); }

  // Frees the held value and keeps `handle` instead; resetting to the value already held keeps it.
  void Reset(Handle handle = Traits::Empty()) {
    if (handle == handle_) return;
    if (!Traits::IsEmpty(handle_)) Traits::Free(handle_);
    handle_ = handle;
  }

  // For calls that return a handle through an out parameter (RegOpenKeyEx and friends).
  Handle* Receive() {
    Reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::Empty();
};

template <typename H, auto FreeFunction>
struct NullEmptyTraits {
  using Handle = H;
  static Handle Empty() { return nullptr; }
  static bool IsEmpty(Handle handle) { return handle == nullptr; }
  static void Free(Handle handle) { FreeFunction(handle); }
};

// Kernel-style handles: both null and INVALID_HANDLE_VALUE mean "nothing"; `EmptyValue` is the
// one an empty owner holds (what the platform's own call returns on failure).
template <auto FreeFunction, intptr_t EmptyValue>
struct KernelStyleTraits {
  using Handle = HANDLE;
  static Handle Empty() { return reinterpret_cast<Handle>(EmptyValue); }
  static bool IsEmpty(Handle handle) { return handle == nullptr || handle == INVALID_HANDLE_VALUE; }
  static void Free(Handle handle) { FreeFunction(handle); }
};

inline void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }
inline void CloseFind(HANDLE handle) { FindClose(handle); }
inline void CloseChangeNotification(HANDLE handle) { FindCloseChangeNotification(handle); }

struct AtomTraits {
  using Handle = ATOM;
  static Handle Empty() { return 0; }
  static bool IsEmpty(Handle atom) { return atom == 0; }
  static void Free(Handle atom) { GlobalDeleteAtom(atom); }
};

inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void CloseRegistryKey(HKEY key) { RegCloseKey(key); }
inline void UnloadLibrary(HMODULE module) { FreeLibrary(module); }
inline void FreeGlobal(HGLOBAL memory) { GlobalFree(memory); }
inline void DestroyMenuHandle(HMENU menu) { DestroyMenu(menu); }
inline void DestroyWindowHandle(HWND window) { DestroyWindow(window); }
inline void DestroyIconHandle(HICON icon) { DestroyIcon(icon); }
inline void DeleteDeviceContext(HDC dc) { DeleteDC(dc); }

using Handle = Owner<KernelStyleTraits<CloseKernelHandle, 0>>;
using FindHandle = Owner<KernelStyleTraits<CloseFind, -1>>;
using ChangeNotification = Owner<KernelStyleTraits<CloseChangeNotification, -1>>;
using GlobalAtom = Owner<AtomTraits>;
using RegistryKey = Owner<NullEmptyTraits<HKEY, CloseRegistryKey>>;
using Library = Owner<NullEmptyTraits<HMODULE, UnloadLibrary>>;
using GlobalMemory = Owner<NullEmptyTraits<HGLOBAL, FreeGlobal>>;
using Menu = Owner<NullEmptyTraits<HMENU, DestroyMenuHandle>>;
using Window = Owner<NullEmptyTraits<HWND, DestroyWindowHandle>>;
using Icon = Owner<NullEmptyTraits<HICON, DestroyIconHandle>>;
// A device context made by CreateDC or a common dialog (a printer's), deleted with DeleteDC.
using DeviceContext = Owner<NullEmptyTraits<HDC, DeleteDeviceContext>>;

template <typename H>
using GdiObject = Owner<NullEmptyTraits<H, DeleteGdiObject>>;
using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;
using Font = GdiObject<HFONT>;

// A moveable global block of `size` zeroed bytes, shareable (as the clipboard wants it).
inline GlobalMemory AllocateGlobal(SIZE_T size) {
  return GlobalMemory(GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, size));
}

// A global block locked for the guard's lifetime; data() is null when the lock failed.
template <typename T = char>
class GlobalLockScope {
 public:
  explicit GlobalLockScope(HGLOBAL memory)
      : memory_(memory), data_(memory ? static_cast<T*>(GlobalLock(memory)) : nullptr) {}
  ~GlobalLockScope() {
    if (data_) GlobalUnlock(memory_);
  }
  GlobalLockScope(const GlobalLockScope&) = delete;
  GlobalLockScope& operator=(const GlobalLockScope&) = delete;
  T* data() const { return data_; }
  SIZE_T size() const { return memory_ ? GlobalSize(memory_) : 0; }

 private:
  HGLOBAL memory_;
  T* data_;
};

// Selects an object into a DC for the guard's lifetime and puts the old one back.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~Selection() {
    if (old_) SelectObject(dc_, old_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Selects `object` into `dc` and deletes the object it replaces (for DCs that own what they
// hold, such as a memory DC whose previous bitmap was made for it).
inline void SelectAndDeleteOld(HDC dc, HGDIOBJ object) {
  if (HGDIOBJ old = SelectObject(dc, object)) DeleteObject(old);
}

class MemoryDC {
 public:
  explicit MemoryDC(HDC reference) : dc_(CreateCompatibleDC(reference)) {}
  operator HDC() const { return dc_.get(); }

 private:
  DeviceContext dc_;
};

class PaintDC {
 public:
  explicit PaintDC(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
  ~PaintDC() { EndPaint(hwnd_, &ps_); }
  PaintDC(const PaintDC&) = delete;
  PaintDC& operator=(const PaintDC&) = delete;
  operator HDC() const { return dc_; }
  const PAINTSTRUCT& paint() const { return ps_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

class WindowDC {
 public:
  explicit WindowDC(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  operator HDC() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// Keeps the DC's saved state (clip region, colours, modes) for the guard's lifetime.
class SavedDC {
 public:
  explicit SavedDC(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
  ~SavedDC() { RestoreDC(dc_, id_); }
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;

 private:
  HDC dc_;
  int id_;
};

// The clipboard, open for the guard's lifetime.
class ClipboardScope {
 public:
  explicit ClipboardScope(HWND owner) : open_(OpenClipboard(owner) != 0) {}
  ~ClipboardScope() {
    if (open_) CloseClipboard();
  }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
  bool open() const { return open_; }

 private:
  bool open_;
};

// Turns a program's busy cursor on for the guard's lifetime: SetBusy(true) now, SetBusy(false)
// on every way out.  The program names its own counter, e.g. BusyScope<SetBusy>.
template <void (*SetBusy)(bool)>
class BusyScope {
 public:
  BusyScope() { SetBusy(true); }
  ~BusyScope() { SetBusy(false); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
};

}  // namespace win
