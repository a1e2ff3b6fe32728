// Accessible names and cell states of the main window's native gadgets.
#include "game/shell/win32/accessible_gadgets.h"

#include <initguid.h>  // defines the annotation service's class and interface identifiers

#include <oleacc.h>

#include "common/settings/path_text.h"

namespace shell_win32 {
namespace {

// Sets one text property of the gadget's client object, or removes it for an empty text so
// that the control's own answer applies again, and raises the matching change event.
void Annotate(IAccPropServices* services, HWND gadget, const MSAAPROPID& property, DWORD event,
              const std::string& text) {
  HRESULT result;
  if (text.empty()) {
    MSAAPROPID properties[] = {property};
    result = services->ClearHwndProps(gadget, OBJID_CLIENT, CHILDID_SELF, properties, 1);
  } else {
    result = services->SetHwndPropStr(gadget, OBJID_CLIENT, CHILDID_SELF, property,
                                      settings::Utf8ToWide(text).c_str());
  }
  if (SUCCEEDED(result)) NotifyWinEvent(event, gadget, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace

AccessibleGadgets::AccessibleGadgets() {
  void* services = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IAccPropServices, &services))) {
    services_ = static_cast<IAccPropServices*>(services);
  }
}

AccessibleGadgets::~AccessibleGadgets() {
  if (services_ != nullptr) services_->Release();
}

void AccessibleGadgets::Render(const engine::MainWindowState& state,
                               const std::array<HWND, engine::kGadgetCount>& gadgets) {
  if (services_ == nullptr) return;
  const shell::AccessibleTexts texts = shell::AccessibleTextsOf(state);
  for (int id = 0; id < engine::kGadgetCount; ++id) {
    const shell::AccessibleText& text = texts[id];
    const shell::AccessibleText* shown = shown_ ? &(*shown_)[id] : nullptr;
    if (text.name != (shown ? shown->name : "")) {
      Annotate(services_, gadgets[id], PROPID_ACC_NAME, EVENT_OBJECT_NAMECHANGE, text.name);
    }
    if (text.description != (shown ? shown->description : "")) {
      Annotate(services_, gadgets[id], PROPID_ACC_DESCRIPTION, EVENT_OBJECT_DESCRIPTIONCHANGE,
               text.description);
    }
  }
  shown_ = texts;
}

}  // namespace shell_win32
