// The drag source of Zelko Filer (see file_drop_source_win.h).
#include "viewer/filer/file_drop_source_win.h"

#include <cstring>
#include <new>

namespace {

// The one format offered: a shell file list in global memory.
FORMATETC FileListFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

}  // namespace

win::GlobalMemory MakeDropFiles(std::string_view path) {
  win::GlobalMemory memory = win::AllocateGlobal(sizeof(DROPFILES) + path.size() + 2);
  win::GlobalLockScope<char> lock(memory);
  if (!lock.data()) return {};
  auto* drop = reinterpret_cast<DROPFILES*>(lock.data());
  drop->pFiles = sizeof(DROPFILES);
  drop->pt = POINT{0, 0};
  drop->fNC = TRUE;
  drop->fWide = FALSE;
  std::memcpy(lock.data() + sizeof(DROPFILES), path.data(), path.size());  // two NULs follow (zero fill)
  return memory;
}

FileDropSource::FileDropSource(HGLOBAL data, bool ownsData) : ownsData_(ownsData), data_(data) {}

FileDropSource::~FileDropSource() { ReplaceData(nullptr, false); }

void FileDropSource::ReplaceData(HGLOBAL data, bool owns) {
  win::GlobalMemory old(ownsData_ ? data_ : nullptr);
  data_ = data;
  ownsData_ = owns;
}

STDMETHODIMP FileDropSource::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource)) {
    *out = static_cast<IDropSource*>(this);
  } else if (IsEqualIID(iid, IID_IDataObject)) {
    *out = static_cast<IDataObject*>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) FileDropSource::AddRef() { return ULONG(InterlockedIncrement(&refCount_)); }

STDMETHODIMP_(ULONG) FileDropSource::Release() {
  LONG count = InterlockedDecrement(&refCount_);
  if (count == 0) delete this;
  return ULONG(count);
}

STDMETHODIMP FileDropSource::QueryContinueDrag(BOOL escapePressed, DWORD keyState) {
  if (escapePressed) return DRAGDROP_S_CANCEL;
  if (keyState & (MK_LBUTTON | MK_RBUTTON)) return S_OK;
  return DRAGDROP_S_DROP;
}

STDMETHODIMP FileDropSource::GiveFeedback(DWORD) { return DRAGDROP_S_USEDEFAULTCURSORS; }

STDMETHODIMP FileDropSource::QueryGetData(FORMATETC* format) {
  if (!format || format->cfFormat != CF_HDROP || format->ptd || format->dwAspect != DVASPECT_CONTENT ||
      !(format->tymed & TYMED_HGLOBAL))
    return DV_E_FORMATETC;
  return S_OK;
}

STDMETHODIMP FileDropSource::GetData(FORMATETC* format, STGMEDIUM* medium) {
  HRESULT result = QueryGetData(format);
  if (result != S_OK) return result;
  if (!medium) return E_POINTER;
  medium->tymed = TYMED_HGLOBAL;
  medium->hGlobal = data_;
  // The receiver's release of the medium releases this object, never the memory it owns.
  medium->pUnkForRelease = static_cast<IDropSource*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP FileDropSource::SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) {
  HRESULT result = QueryGetData(format);
  if (result != S_OK) return result;
  if (!medium) return E_POINTER;
  ReplaceData(medium->hGlobal, release != FALSE);
  return S_OK;
}

STDMETHODIMP FileDropSource::EnumFormatEtc(DWORD, IEnumFORMATETC** out) {
  if (!out) return E_POINTER;
  auto* enumerator = new (std::nothrow) FileFormatEnumerator();
  *out = enumerator;
  if (!enumerator) return E_OUTOFMEMORY;
  enumerator->AddRef();
  return S_OK;
}

STDMETHODIMP FileDropSource::GetDataHere(FORMATETC*, STGMEDIUM*) { return E_NOTIMPL; }
STDMETHODIMP FileDropSource::GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) { return E_NOTIMPL; }
STDMETHODIMP FileDropSource::DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) { return E_NOTIMPL; }
STDMETHODIMP FileDropSource::DUnadvise(DWORD) { return E_NOTIMPL; }
STDMETHODIMP FileDropSource::EnumDAdvise(IEnumSTATDATA**) { return E_NOTIMPL; }

STDMETHODIMP FileFormatEnumerator::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IEnumFORMATETC)) {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  *out = static_cast<IEnumFORMATETC*>(this);
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) FileFormatEnumerator::AddRef() { return ULONG(InterlockedIncrement(&refCount_)); }

STDMETHODIMP_(ULONG) FileFormatEnumerator::Release() {
  LONG count = InterlockedDecrement(&refCount_);
  if (count == 0) delete this;
  return ULONG(count);
}

STDMETHODIMP FileFormatEnumerator::Next(ULONG count, FORMATETC* formats, ULONG* fetched) {
  if (fetched) *fetched = 0;
  if (position_ >= 1) return S_FALSE;
  if (count == 0) return S_OK;
  if (!formats) return E_POINTER;
  formats[0] = FileListFormat();
  position_ = 1;
  if (fetched) *fetched = 1;
  return S_OK;
}

STDMETHODIMP FileFormatEnumerator::Skip(ULONG count) {
  bool beyond = ULONGLONG(count) + ULONGLONG(position_) > 1;
  position_ = beyond ? 1 : position_ + LONG(count);
  return beyond ? S_FALSE : S_OK;
}

STDMETHODIMP FileFormatEnumerator::Reset() {
  position_ = 0;
  return S_OK;
}

STDMETHODIMP FileFormatEnumerator::Clone(IEnumFORMATETC** out) {
  if (!out) return E_POINTER;
  auto* clone = new (std::nothrow) FileFormatEnumerator(position_);
  *out = clone;
  if (!clone) return E_OUTOFMEMORY;
  clone->AddRef();
  return S_OK;
}

void DragFileOut(std::string_view path) {
  win::GlobalMemory data = MakeDropFiles(path);
  auto* source = new (std::nothrow) FileDropSource(data.get(), true);
  if (!source) return;
  (void)data.Take();  // the object owns it now
  IDataObject* dataObject = nullptr;
  IDropSource* dropSource = nullptr;
  source->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(&dataObject));
  source->QueryInterface(IID_IDropSource, reinterpret_cast<void**>(&dropSource));
  DWORD effect = 0;
  DoDragDrop(dataObject, dropSource, DROPEFFECT_COPY, &effect);
  dataObject->Release();
  dropSource->Release();
}
