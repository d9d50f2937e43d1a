// FileDropTarget: the IDropTarget of the main window (see file_drop_target_win.h).
#include "viewer/shell/file_drop_target_win.h"

#include <ole2.h>
#include <shellapi.h>

#include "viewer/frame/process_watch_win.h"

namespace {

FORMATETC FileListFormat() { return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool OffersFileList(IDataObject* data) {
  FORMATETC format = FileListFormat();
  return data && data->QueryGetData(&format) == S_OK;
}

class FileDropTarget final : public IDropTarget {
 public:
  explicit FileDropTarget(HWND mainWindow) : mainWindow_(mainWindow) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
      *out = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(++references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = --references_;
    if (left == 0) delete this;
    return ULONG(left);
  }

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    accepts_ = OffersFileList(data);
    return Answer(effect);
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override { return Answer(effect); }
  HRESULT STDMETHODCALLTYPE DragLeave() override {
    accepts_ = false;
    return S_OK;
  }
  // The medium stays the source's: it is released, never finished as a WM_DROPFILES drop is.
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    accepts_ = false;
    FORMATETC format = FileListFormat();
    STGMEDIUM medium{};
    if (!data || data->GetData(&format, &medium) != S_OK) {
      if (effect) *effect = DROPEFFECT_NONE;
      return S_OK;
    }
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal)
      OpenDropList(mainWindow_, static_cast<HDROP>(medium.hGlobal));
    ReleaseStgMedium(&medium);
    if (effect) *effect = DROPEFFECT_COPY;
    return S_OK;
  }

 private:
  HRESULT Answer(DWORD* effect) const {
    if (effect) *effect = accepts_ ? (*effect & DROPEFFECT_COPY) : DROPEFFECT_NONE;
    return S_OK;
  }
  ~FileDropTarget() = default;
  HWND mainWindow_;
  LONG references_ = 1;
  bool accepts_ = false;
};

}  // namespace

bool RegisterFileDropTarget(HWND mainWindow) {
  auto* target = new FileDropTarget(mainWindow);
  bool registered = RegisterDragDrop(mainWindow, target) == S_OK;  // OLE keeps its own reference
  target->Release();
  return registered;
}

void RevokeFileDropTarget(HWND mainWindow) { RevokeDragDrop(mainWindow); }
