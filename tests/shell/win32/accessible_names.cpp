// Prints what the accessibility layer answers for each gadget of the game's window, one line
// per gadget: its identifier, name and description, tab-separated; for the wine tests.
#include <windows.h>

#include <initguid.h>  // defines IID_IAccessible here: the import library's is no GUID

#include <oleacc.h>

#include <cstdio>
#include <string>

namespace {

std::string Narrow(BSTR text) {
  if (text == nullptr) return "<none>";
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, narrow.data(), size, nullptr, nullptr);
  SysFreeString(text);
  return narrow;
}

std::string Failure(HRESULT result) {
  char text[32];
  std::snprintf(text, sizeof text, "<failed: %08lx>", static_cast<unsigned long>(result));
  return text;
}

BOOL CALLBACK PrintGadget(HWND gadget, LPARAM) {
  IAccessible* accessible = nullptr;
  const HRESULT found = AccessibleObjectFromWindow(gadget, static_cast<DWORD>(OBJID_CLIENT),
                                                   IID_IAccessible,
                                                   reinterpret_cast<void**>(&accessible));
  if (FAILED(found)) {
    std::printf("%d\t<no object>\t%s\n", GetDlgCtrlID(gadget), Failure(found).c_str());
    return TRUE;
  }
  VARIANT self;
  VariantInit(&self);
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  BSTR description = nullptr;
  const HRESULT named = accessible->get_accName(self, &name);
  const HRESULT described = accessible->get_accDescription(self, &description);
  std::printf("%d\t%s\t%s\n", GetDlgCtrlID(gadget),
              SUCCEEDED(named) ? Narrow(name).c_str() : Failure(named).c_str(),
              SUCCEEDED(described) ? Narrow(description).c_str() : Failure(described).c_str());
  accessible->Release();
  return TRUE;
}

}  // namespace

int wmain() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  HWND window = FindWindowW(L"DeraduMainWindow", nullptr);
  if (window == nullptr) return 1;
  EnumChildWindows(window, PrintGadget, 0);
  CoUninitialize();
  return 0;
}
