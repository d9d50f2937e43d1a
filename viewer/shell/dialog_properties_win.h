// Working copies of a dialog kept as window properties: a heap object attached under a name
// when the dialog opens and freed by the dialog's WM_DESTROY.
#pragma once

#include <windows.h>

#include <memory>
#include <utility>

template <typename T>
void AttachProperty(HWND dialog, const char* name, T value) {
  auto copy = std::make_unique<T>(std::move(value));
  if (SetPropA(dialog, name, copy.get())) copy.release();
}

// The copy attached under `name`; null before WM_INITDIALOG and after WM_DESTROY.
template <typename T>
T* PropertyOf(HWND dialog, const char* name) {
  return static_cast<T*>(GetPropA(dialog, name));
}

template <typename T>
void FreeProperty(HWND dialog, const char* name) {
  std::unique_ptr<T> owned(static_cast<T*>(RemovePropA(dialog, name)));
}
