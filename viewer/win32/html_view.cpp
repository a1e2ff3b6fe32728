// The web browser control hosted through the ActiveX host library.
#include "viewer/win32/html_view.h"

#include <exdispid.h>

#include <string>

#include "common/settings/path_text.h"

namespace viewer {

namespace {

using AtlAxWinInitFunction = BOOL(WINAPI*)();
using AtlAxGetControlFunction = HRESULT(WINAPI*)(HWND, IUnknown**);

// The import library of the system GUIDs lacks this one.
constexpr IID kCustomDocIid = {0x3050f3f0, 0x98b5, 0x11cf, {0xbb, 0x82, 0x00, 0xaa, 0x00, 0xbd, 0xce, 0x0b}};

// A function of the library by name, as the type it has; through the generic function type,
// which every function pointer converts to and back.
template <typename Function>
Function Find(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

// The library stays loaded for the life of the program: its window class lives in it.
struct HostLibrary {
  AtlAxGetControlFunction getControl = nullptr;
};

HostLibrary LoadHostLibrary() {
  HMODULE library = LoadLibraryW(L"atl.dll");
  if (library == nullptr) return {};
  const auto init = Find<AtlAxWinInitFunction>(library, "AtlAxWinInit");
  const auto getControl = Find<AtlAxGetControlFunction>(library, "AtlAxGetControl");
  if (init == nullptr || getControl == nullptr || !init()) return {};
  return {getControl};
}

// The Cancel argument of a new-window event, counted from the last argument as IDispatch
// passes them.
void CancelNewWindow(DISPPARAMS* parameters, UINT cancelFromEnd) {
  if (parameters == nullptr || parameters->cArgs <= cancelFromEnd) return;
  VARIANT& cancel = parameters->rgvarg[parameters->cArgs - 1 - cancelFromEnd];
  if (cancel.vt == (VT_BYREF | VT_BOOL)) *cancel.pboolVal = VARIANT_TRUE;
}

}  // namespace

HRESULT BrowserEvents::QueryInterface(REFIID iid, void** object) {
  if (iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2) {
    *object = static_cast<IDispatch*>(this);
  } else if (iid == IID_IDocHostUIHandler) {
    *object = static_cast<IDocHostUIHandler*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  return S_OK;
}

HRESULT BrowserEvents::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

HRESULT BrowserEvents::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters, VARIANT*,
                              EXCEPINFO*, UINT*) {
  switch (id) {
    // NewWindow2(ppDisp, Cancel) and NewWindow3(ppDisp, Cancel, flags, context, url).
    case DISPID_NEWWINDOW2:
    case DISPID_NEWWINDOW3:
      if (blockPopups) CancelNewWindow(parameters, 1);
      break;
    // Every new document gets this object as its host, which is what takes its context menu.
    case DISPID_DOCUMENTCOMPLETE:
      if (blockContextMenu) HandDocumentOurHost();
      break;
    default: break;
  }
  return S_OK;
}

void BrowserEvents::HandDocumentOurHost() {
  IDispatch* document = nullptr;
  if (browser == nullptr || FAILED(browser->get_Document(&document)) || document == nullptr) {
    return;
  }
  ICustomDoc* custom = nullptr;
  if (SUCCEEDED(document->QueryInterface(kCustomDocIid, reinterpret_cast<void**>(&custom)))) {
    custom->SetUIHandler(this);
    custom->Release();
  }
  document->Release();
}

// S_OK: the menu counts as shown, so the page shows none.
HRESULT BrowserEvents::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
  return blockContextMenu ? S_OK : S_FALSE;
}

HRESULT BrowserEvents::GetExternal(IDispatch** external) {
  *external = nullptr;
  return E_NOTIMPL;
}

HRESULT BrowserEvents::TranslateUrl(DWORD, LPWSTR, LPWSTR* out) {
  *out = nullptr;
  return S_FALSE;
}

HRESULT BrowserEvents::FilterDataObject(IDataObject*, IDataObject** out) {
  *out = nullptr;
  return S_FALSE;
}

HtmlView::~HtmlView() {
  if (eventSource_ != nullptr) {
    eventSource_->Unadvise(eventCookie_);
    eventSource_->Release();
  }
  if (browser_ != nullptr) browser_->Release();
}

bool HtmlView::Create(HWND parent, int id, const Rect& rect) {
  static const HostLibrary host = LoadHostLibrary();
  if (host.getControl == nullptr) return false;
  window_ = CreateWindowExW(0, L"AtlAxWin", L"Shell.Explorer.1", WS_CHILD | WS_VISIBLE,
                            rect.x, rect.y, rect.width, rect.height, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), nullptr);
  if (window_ == nullptr) return false;
  IUnknown* control = nullptr;
  if (FAILED(host.getControl(window_, &control)) || control == nullptr ||
      FAILED(control->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser_)))) {
    if (control != nullptr) control->Release();
    DestroyWindow(window_);
    window_ = nullptr;
    browser_ = nullptr;
    return false;
  }
  control->Release();
  events_.browser = browser_;
  IConnectionPointContainer* container = nullptr;
  if (SUCCEEDED(browser_->QueryInterface(IID_IConnectionPointContainer,
                                         reinterpret_cast<void**>(&container)))) {
    if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &eventSource_)) &&
        FAILED(eventSource_->Advise(static_cast<IDispatch*>(&events_), &eventCookie_))) {
      eventSource_->Release();
      eventSource_ = nullptr;
    }
    container->Release();
  }
  return true;
}

void HtmlView::Navigate(std::string_view address) {
  if (browser_ == nullptr || address.empty()) return;
  VARIANT url;
  VariantInit(&url);
  url.vt = VT_BSTR;
  url.bstrVal = SysAllocString(settings::Utf8ToWide(address).c_str());
  browser_->Navigate2(&url, nullptr, nullptr, nullptr, nullptr);
  VariantClear(&url);
}

// The browser refuses a step past either end of its history; the buttons stay as they are.
void HtmlView::GoBack() {
  if (browser_ != nullptr) browser_->GoBack();
}

void HtmlView::GoForward() {
  if (browser_ != nullptr) browser_->GoForward();
}

void HtmlView::Stop() {
  if (browser_ != nullptr) browser_->Stop();
}

}  // namespace viewer
