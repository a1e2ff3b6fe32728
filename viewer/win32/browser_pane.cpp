// The web browser control in the ATL host window, its navigation, and the sink of its events
// that cancels new windows and gives each document the context-menu blocker.
#include "viewer/win32/browser_pane.h"

#include <exdispid.h>
#include <ocidl.h>

#include "viewer/win32/com_object.h"
#include "viewer/win32/context_menu_blocker.h"

namespace viewer_win32 {

namespace {

using AtlAxWinInitFunction = BOOL(WINAPI*)();
using AtlAxGetControlFunction = HRESULT(WINAPI*)(HWND, IUnknown**);

// The control the host window creates: the system web browser, blank until navigated.
constexpr wchar_t kBrowserProgId[] = L"Shell.Explorer.1";

void Cancel(VARIANT& argument) {
  if (argument.vt == (VT_BYREF | VT_BOOL) && argument.pboolVal != nullptr) {
    *argument.pboolVal = VARIANT_TRUE;
  }
}

}  // namespace

// DWebBrowserEvents2 as a plain IDispatch: only the events it acts on are looked at.
class BrowserEvents final : public ComObject<IDispatch> {
 public:
  explicit BrowserEvents(IWebBrowser2* browser) : browser_(browser) {}

  bool blockPopups = false;
  bool blockContextMenu = false;

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }

  // Arguments arrive in reverse order: the last parameter is rgvarg[0].
  HRESULT STDMETHODCALLTYPE Invoke(DISPID event, REFIID, LCID, WORD, DISPPARAMS* parameters,
                                   VARIANT*, EXCEPINFO*, UINT*) override {
    if (parameters == nullptr) return S_OK;
    switch (event) {
      case DISPID_NEWWINDOW2:  // (ppDisp, Cancel)
        if (blockPopups && parameters->cArgs == 2) Cancel(parameters->rgvarg[0]);
        break;
      case DISPID_NEWWINDOW3:  // (ppDisp, Cancel, dwFlags, bstrUrlContext, bstrUrl)
        if (blockPopups && parameters->cArgs == 5) Cancel(parameters->rgvarg[3]);
        break;
      case DISPID_NAVIGATECOMPLETE2:
      case DISPID_DOCUMENTCOMPLETE:
        if (blockContextMenu) BlockContextMenuOfShownDocument();
        break;
      default: break;
    }
    return S_OK;
  }

  void BlockContextMenuOfShownDocument() {
    IDispatch* document = nullptr;
    if (SUCCEEDED(browser_->get_Document(&document)) && document != nullptr) {
      BlockContextMenuOf(document);
      document->Release();
    }
  }

 private:
  ~BrowserEvents() override = default;
  bool Answers(REFIID id) const override {
    return id == IID_IDispatch || id == DIID_DWebBrowserEvents2;
  }

  IWebBrowser2* browser_;  // not counted: the pane holds it as long as the sink is connected
};

std::unique_ptr<BrowserPane> BrowserPane::Create(HWND parent, int id, const RECT& place) {
  HMODULE atl = LoadLibraryW(L"atl.dll");
  if (atl == nullptr) return nullptr;
  const auto init = reinterpret_cast<AtlAxWinInitFunction>(
      reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
  const auto getControl = reinterpret_cast<AtlAxGetControlFunction>(
      reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxGetControl")));
  const auto getHost = reinterpret_cast<GetHostFunction>(
      reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxGetHost")));
  HWND window = nullptr;
  IWebBrowser2* browser = nullptr;
  if (init != nullptr && getControl != nullptr && init()) {
    window = CreateWindowExW(0, L"AtlAxWin", kBrowserProgId, WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                             place.left, place.top, place.right - place.left,
                             place.bottom - place.top, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleW(nullptr), nullptr);
  }
  IUnknown* control = nullptr;
  if (window != nullptr && SUCCEEDED(getControl(window, &control)) && control != nullptr) {
    control->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser));
    control->Release();
  }
  if (browser == nullptr) {
    if (window != nullptr) DestroyWindow(window);
    FreeLibrary(atl);
    return nullptr;
  }
  // atl.dll stays loaded: its window class serves the pane until the program ends.
  return std::unique_ptr<BrowserPane>(new BrowserPane(window, browser, getHost));
}

BrowserPane::BrowserPane(HWND window, IWebBrowser2* browser, GetHostFunction getHost)
    : window_(window), browser_(browser), events_(new BrowserEvents(browser)), getHost_(getHost) {
  IConnectionPointContainer* container = nullptr;
  if (FAILED(browser_->QueryInterface(IID_IConnectionPointContainer,
                                      reinterpret_cast<void**>(&container)))) {
    return;
  }
  IConnectionPoint* point = nullptr;
  if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point))) {
    if (FAILED(point->Advise(events_, &cookie_))) cookie_ = 0;
    point->Release();
  }
  container->Release();
}

BrowserPane::~BrowserPane() {
  if (cookie_ != 0) {
    IConnectionPointContainer* container = nullptr;
    if (SUCCEEDED(browser_->QueryInterface(IID_IConnectionPointContainer,
                                           reinterpret_cast<void**>(&container)))) {
      IConnectionPoint* point = nullptr;
      if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &point))) {
        point->Unadvise(cookie_);
        point->Release();
      }
      container->Release();
    }
  }
  events_->Release();
  browser_->Release();
  DestroyWindow(window_);
}

void BrowserPane::Navigate(const std::wstring& address) {
  if (address.empty()) return;
  VARIANT url;
  VariantInit(&url);
  url.vt = VT_BSTR;
  url.bstrVal = SysAllocStringLen(address.data(), static_cast<UINT>(address.size()));
  if (url.bstrVal == nullptr) return;
  VARIANT none;
  VariantInit(&none);
  browser_->Navigate2(&url, &none, &none, &none, &none);
  VariantClear(&url);
}

bool BrowserPane::TranslateKey(MSG& message) {
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  IOleInPlaceActiveObject* active = nullptr;
  if (FAILED(browser_->QueryInterface(IID_IOleInPlaceActiveObject,
                                      reinterpret_cast<void**>(&active)))) {
    return false;
  }
  const bool taken = active->TranslateAccelerator(&message) == S_OK;
  active->Release();
  return taken;
}

void BrowserPane::BlockPopups() { events_->blockPopups = true; }

void BrowserPane::BlockContextMenu() {
  SwitchOffHostContextMenu();
  events_->blockContextMenu = true;
  events_->BlockContextMenuOfShownDocument();
}

// The ATL host's own switch: its document host UI handler shows no context menu while its
// ambient property AllowContextMenu is false. The property is set by name, so that no
// declaration of the host's interface is needed; a host without it is left as it is.
void BrowserPane::SwitchOffHostContextMenu() {
  IUnknown* host = nullptr;
  if (getHost_ == nullptr || FAILED(getHost_(window_, &host)) || host == nullptr) return;
  IDispatch* ambient = nullptr;
  if (SUCCEEDED(host->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&ambient)))) {
    OLECHAR name[] = L"AllowContextMenu";
    LPOLESTR names[] = {name};
    DISPID property = 0;
    if (SUCCEEDED(ambient->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &property))) {
      VARIANT value;
      VariantInit(&value);
      value.vt = VT_BOOL;
      value.boolVal = VARIANT_FALSE;
      DISPID put = DISPID_PROPERTYPUT;
      DISPPARAMS parameters{&value, &put, 1, 1};
      ambient->Invoke(property, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &parameters,
                      nullptr, nullptr, nullptr);
    }
    ambient->Release();
  }
  host->Release();
}

}  // namespace viewer_win32
