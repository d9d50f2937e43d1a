// Dragging a file out of Zelko Filer: the object handed to the platform's drag loop, which is
// both the drop source and the data object offering the one file as a shell file list
// (CF_HDROP in global memory), and the enumerator of that one format.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <string_view>

#include "platform/win/owners.h"

// A moveable, shareable DROPFILES block naming one file (ANSI), closed by a double NUL;
// empty when there is no memory.
win::GlobalMemory MakeDropFiles(std::string_view path);

class FileDropSource final : public IDropSource, public IDataObject {
 public:
  // Takes `data`; with ownsData the object frees it when it goes or is replaced.
  FileDropSource(HGLOBAL data, bool ownsData);
  virtual ~FileDropSource();

  // IUnknown (shared by both interfaces).
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  // IDropSource.
  STDMETHODIMP QueryContinueDrag(BOOL escapePressed, DWORD keyState) override;
  STDMETHODIMP GiveFeedback(DWORD effect) override;
  // IDataObject.
  STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override;
  STDMETHODIMP GetDataHere(FORMATETC* format, STGMEDIUM* medium) override;
  STDMETHODIMP QueryGetData(FORMATETC* format) override;
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override;
  STDMETHODIMP SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override;
  STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override;
  STDMETHODIMP DAdvise(FORMATETC* format, DWORD flags, IAdviseSink* sink, DWORD* connection) override;
  STDMETHODIMP DUnadvise(DWORD connection) override;
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA** out) override;

 private:
  void ReplaceData(HGLOBAL data, bool owns);

  LONG refCount_ = 0;
  bool ownsData_;
  HGLOBAL data_;
};

class FileFormatEnumerator final : public IEnumFORMATETC {
 public:
  explicit FileFormatEnumerator(LONG position = 0) : position_(position) {}
  virtual ~FileFormatEnumerator() = default;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP Next(ULONG count, FORMATETC* formats, ULONG* fetched) override;
  STDMETHODIMP Skip(ULONG count) override;
  STDMETHODIMP Reset() override;
  STDMETHODIMP Clone(IEnumFORMATETC** out) override;

 private:
  LONG refCount_ = 0;
  LONG position_;
};

// Runs the platform's drag loop for the file `path`, offering only the copy effect.
void DragFileOut(std::string_view path);
