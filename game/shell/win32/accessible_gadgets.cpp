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

// The gadget with the keyboard focus, else the given one.
int FocusedGadget(const std::array<HWND, engine::kGadgetCount>& gadgets, int otherwise) {
  const HWND focus = GetFocus();
  for (int id = 0; id < engine::kGadgetCount; ++id) {
    if (gadgets[id] == focus) return id;
  }
  return otherwise;
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
    // A cell's value is what it presents, a hint's candidates apart, not the field's text.
    if (text.value != (shown ? shown->value : "")) {
      Annotate(services_, gadgets[id], PROPID_ACC_VALUE, EVENT_OBJECT_VALUECHANGE, text.value);
    }
  }
  shown_ = texts;
  if (state.notice.serial == shownNotice_) return;
  shownNotice_ = state.notice.serial;
  const std::string announcement = shell::AnnouncementOf(state);
  if (announcement.empty()) return;
  // The focused gadget reads the announcement as its description, which a screen reader
  // speaks as it changes on the focus, until the next event puts the gadget's own back.
  const int id = FocusedGadget(gadgets, state.notice.cell);
  if (id < 0) return;
  Annotate(services_, gadgets[id], PROPID_ACC_DESCRIPTION, EVENT_OBJECT_DESCRIPTIONCHANGE,
           announcement);
  (*shown_)[id].description = announcement;
}

}  // namespace shell_win32
