// The document host UI handler that suppresses the page's context menu.
#include "viewer/win32/context_menu_blocker.h"

#include <mshtml.h>

#include "viewer/win32/com_object.h"

namespace viewer_win32 {

namespace {

class ContextMenuBlocker final : public ComObject<IDocHostUIHandler> {
 public:
  // inner: the handler the document had, or null; its reference passes to the blocker.
  explicit ContextMenuBlocker(IDocHostUIHandler* inner) : inner_(inner) {}

  // S_OK: the host has shown the menu, so the page shows none.
  HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override {
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) override {
    return inner_ ? inner_->GetHostInfo(info) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE ShowUI(DWORD id, IOleInPlaceActiveObject* active,
                                   IOleCommandTarget* target, IOleInPlaceFrame* frame,
                                   IOleInPlaceUIWindow* document) override {
    return inner_ ? inner_->ShowUI(id, active, target, frame, document) : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE HideUI() override { return inner_ ? inner_->HideUI() : S_OK; }
  HRESULT STDMETHODCALLTYPE UpdateUI() override { return inner_ ? inner_->UpdateUI() : S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override {
    return inner_ ? inner_->EnableModeless(enable) : S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override {
    return inner_ ? inner_->OnDocWindowActivate(activate) : S_OK;
  }
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override {
    return inner_ ? inner_->OnFrameWindowActivate(activate) : S_OK;
  }
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window,
                                         BOOL frame) override {
    return inner_ ? inner_->ResizeBorder(border, window, frame) : S_OK;
  }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG message, const GUID* group,
                                                 DWORD command) override {
    return inner_ ? inner_->TranslateAccelerator(message, group, command) : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* key, DWORD reserved) override {
    if (inner_) return inner_->GetOptionKeyPath(key, reserved);
    *key = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget* target, IDropTarget** replacement) override {
    return inner_ ? inner_->GetDropTarget(target, replacement) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** external) override {
    if (inner_) return inner_->GetExternal(external);
    *external = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD translate, LPWSTR url, LPWSTR* result) override {
    if (inner_) return inner_->TranslateUrl(translate, url, result);
    *result = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject* object, IDataObject** result) override {
    if (inner_) return inner_->FilterDataObject(object, result);
    *result = nullptr;
    return S_FALSE;
  }

 private:
  ~ContextMenuBlocker() override {
    if (inner_) inner_->Release();
  }
  bool Answers(REFIID id) const override { return id == IID_IDocHostUIHandler; }

  IDocHostUIHandler* inner_;
};

// The handler the document's host offers now: its client site's, or null.
IDocHostUIHandler* HostHandlerOf(IDispatch* document) {
  IOleObject* object = nullptr;
  if (FAILED(document->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object)))) {
    return nullptr;
  }
  IOleClientSite* site = nullptr;
  IDocHostUIHandler* handler = nullptr;
  if (SUCCEEDED(object->GetClientSite(&site)) && site != nullptr) {
    site->QueryInterface(IID_IDocHostUIHandler, reinterpret_cast<void**>(&handler));
    site->Release();
  }
  object->Release();
  return handler;
}

}  // namespace

void BlockContextMenuOf(IDispatch* document) {
  if (document == nullptr) return;
  // The client site keeps offering the host's own handler, so a document that is given a
  // blocker again wraps that one, never an earlier blocker.
  IDocHostUIHandler* host = HostHandlerOf(document);
  ICustomDoc* custom = nullptr;
  if (FAILED(document->QueryInterface(__uuidof(ICustomDoc), reinterpret_cast<void**>(&custom)))) {
    if (host != nullptr) host->Release();
    return;
  }
  auto* blocker = new ContextMenuBlocker(host);
  custom->SetUIHandler(blocker);
  blocker->Release();
  custom->Release();
}

}  // namespace viewer_win32
