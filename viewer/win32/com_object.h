// The IUnknown part of the viewer's own COM objects: a reference count that starts at 1 and
// deletes the object at 0, and the interfaces besides IUnknown that the object answers to.
#pragma once

#include <windows.h>

#include <unknwn.h>

namespace viewer_win32 {

template <typename Interface>
class ComObject : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (id == IID_IUnknown || Answers(id)) {
      *object = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~ComObject() = default;

 private:
  virtual bool Answers(REFIID id) const = 0;

  ULONG references_ = 1;
};

}  // namespace viewer_win32
