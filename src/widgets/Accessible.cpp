// What a screen reader hears for a control: the standard accessible object
// the system makes for the control's window, wrapped so that the control's
// own name, role and default action answer instead of the system's guesses,
// and everything else is passed on. The accessibility library is loaded
// when a client first asks, never at start.
#include "widgets/Accessible.h"

#include <oleacc.h>

#include "base/FloatingPoint.h"
#include "widgets/WidgetsInternal.h"
#include "win/Libraries.h"

namespace widgets {

namespace {

constexpr char kAccessibilityLibrary[] = "oleacc.dll";
constexpr char kAutomationLibrary[] = "oleaut32.dll";
constexpr char kComLibrary[] = "ole32.dll";

using CreateStdAccessibleObjectFunction = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using LresultFromObjectFunction = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using SysAllocStringLenFunction = BSTR(WINAPI*)(const OLECHAR*, UINT);
using CoInitializeExFunction = HRESULT(WINAPI*)(LPVOID, DWORD);

template <typename Function>
Function Lookup(const char* library, const char* name) {
  return win::LibraryFunction<Function>(library, name, win::Loading::OnDemand);
}

// A text handed to the client as a BSTR, which the client frees.
HRESULT AnswerText(std::string_view text, BSTR* answer) {
  if (!answer) return E_INVALIDARG;
  static const auto allocate = Lookup<SysAllocStringLenFunction>(kAutomationLibrary,
                                                                 "SysAllocStringLen");
  const std::wstring wide = Widen(text);
  *answer = allocate ? allocate(wide.data(), static_cast<UINT>(wide.size())) : nullptr;
  return *answer ? S_OK : E_OUTOFMEMORY;
}

bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// Whether a mouse click could reach the window: it is shown, and neither it
// nor any window it lies in is disabled (a task-modal box disables the
// program's top-level windows).
bool TakesClicks(HWND window) {
  if (!IsWindowVisible(window)) return false;
  const HWND desktop = GetDesktopWindow();
  for (HWND w = window; w && w != desktop; w = GetAncestor(w, GA_PARENT)) {
    if (!IsWindowEnabled(w)) return false;
  }
  return true;
}

}  // namespace

// The object a client holds. Every call of the control's own answers runs
// on the window's thread, from its message loop; once the window is gone
// the object answers that it is no longer connected.
class AccessibleControl final : public IAccessible {
 public:
  AccessibleControl(Control& control, IAccessible* standard)
      : control_(&control), standard_(standard) {}

  void Disconnect() {
    control_ = nullptr;
    if (standard_) standard_->Release();
    standard_ = nullptr;
  }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
    if (!object) return E_POINTER;
    if (id == __uuidof(IUnknown) || id == __uuidof(IDispatch) || id == __uuidof(IAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const long left = --references_;
    if (left == 0) {
      Disconnect();
      delete this;
    }
    return static_cast<ULONG>(left);
  }

  // IDispatch: the standard object's.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return standard_ ? standard_->GetTypeInfoCount(count) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_ ? standard_->GetTypeInfo(index, locale, info) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID id, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_ ? standard_->GetIDsOfNames(id, names, count, locale, ids)
                     : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID id, LCID locale, WORD flags,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argument) override {
    return standard_ ? standard_->Invoke(member, id, locale, flags, parameters, result, exception,
                                         argument)
                     : CO_E_OBJNOTCONNECTED;
  }

  // IAccessible: name, role and default action are the control's own.
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!control_) return CO_E_OBJNOTCONNECTED;
    if (!IsSelf(child) || !control_->HasOwnName()) {
      return standard_->get_accName(child, name);
    }
    return Answer([&] { return AnswerText(control_->AccessibleName(), name); });
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!control_) return CO_E_OBJNOTCONNECTED;
    const DWORD own = control_->AccessibleRole();
    if (!IsSelf(child) || own == 0) return standard_->get_accRole(child, role);
    if (!role) return E_INVALIDARG;
    role->vt = VT_I4;
    role->lVal = static_cast<LONG>(own);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!control_) return CO_E_OBJNOTCONNECTED;
    if (!IsSelf(child) || !control_->Pressable() || control_->AccessibleAction().empty()) {
      return standard_->get_accDefaultAction(child, action);
    }
    return Answer([&] { return AnswerText(control_->AccessibleAction(), action); });
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!control_) return CO_E_OBJNOTCONNECTED;
    if (!IsSelf(child) || !control_->Pressable()) {
      return standard_->accDoDefaultAction(child);
    }
    // Only where a click could land: a reader must not press Close under
    // the error box.
    if (!control_->HasWindow() || !TakesClicks(control_->EnsureWindow())) return E_FAIL;
    // The same path as the mouse's click: the click handler runs. What it
    // throws waits for the loop, which then ends with the error box.
    return Answer([&] {
      control_->Click();
      return S_OK;
    });
  }

  // IAccessible: the rest is the standard object's.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_ ? standard_->get_accParent(parent) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    return standard_ ? standard_->get_accChildCount(count) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_ ? standard_->get_accChild(child, object) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_ ? standard_->get_accValue(child, value) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return standard_ ? standard_->get_accDescription(child, description) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return standard_ ? standard_->get_accState(child, state) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_ ? standard_->get_accHelp(child, help) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_ ? standard_->get_accHelpTopic(file, child, topic) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_ ? standard_->get_accKeyboardShortcut(child, shortcut) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override {
    return standard_ ? standard_->get_accFocus(child) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_ ? standard_->get_accSelection(children) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    return standard_ ? standard_->accSelect(flags, child) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    return standard_ ? standard_->accLocation(left, top, width, height, child)
                     : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_ ? standard_->accNavigate(direction, start, end) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG left, LONG top, VARIANT* child) override {
    return standard_ ? standard_->accHitTest(left, top, child) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
    return standard_ ? standard_->put_accName(child, name) : CO_E_OBJNOTCONNECTED;
  }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_ ? standard_->put_accValue(child, value) : CO_E_OBJNOTCONNECTED;
  }

 private:
  ~AccessibleControl() = default;

  // No exception goes back to the client: it waits as the pending one.
  template <typename Call>
  static HRESULT Answer(Call call) {
    try {
      return call();
    } catch (...) {
      StorePendingException(std::current_exception());
      return E_FAIL;
    }
  }

  long references_ = 1;
  Control* control_;
  IAccessible* standard_;
};

bool AnswerAccessibleObject(Control& control, HWND window, WPARAM wParam,
                            AccessibleControl*& object, LRESULT& result) {
  static const auto createStandard = Lookup<CreateStdAccessibleObjectFunction>(
      kAccessibilityLibrary, "CreateStdAccessibleObject");
  static const auto lresultFromObject = Lookup<LresultFromObjectFunction>(kAccessibilityLibrary,
                                                                          "LresultFromObject");
  // The object goes to the client through COM, which the thread needs.
  // COM's set-up and the standard object are foreign code on this thread.
  static const bool comReady = [] {
    const auto initialise = Lookup<CoInitializeExFunction>(kComLibrary, "CoInitializeEx");
    return initialise && SUCCEEDED(base::CallForeign(
                             [&] { return initialise(nullptr, COINIT_APARTMENTTHREADED); }));
  }();
  if (!createStandard || !lresultFromObject || !comReady) return false;

  if (!object) {
    IAccessible* standard = nullptr;
    const HRESULT created = base::CallForeign([&] {
      return createStandard(window, OBJID_CLIENT, __uuidof(IAccessible),
                            reinterpret_cast<void**>(&standard));
    });
    if (FAILED(created) || !standard) {
      return false;
    }
    object = new AccessibleControl(control, standard);
  }
  result = base::CallForeign([&] {
    return lresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object));
  });
  return true;
}

void ReleaseAccessibleObject(AccessibleControl*& object) {
  if (!object) return;
  object->Disconnect();
  object->Release();
  object = nullptr;
}

}  // namespace widgets
