#include "base/accessible.h"

#include <commctrl.h>
#include <oleacc.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "base/com.h"
#include "base/handles.h"
#include "base/lazy_library.h"
#include "base/log.h"
#include "base/utf16.h"

namespace win32 {
namespace {

// Spelled out: mingw-w64's own IID_IAccessible reads wrongly here.
constexpr GUID kIidAccessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

class FixedName final : public AccessibleSource {
 public:
  explicit FixedName(std::wstring name) : name_(std::move(name)) {}
  std::wstring AccessibleName() const override { return name_; }

 private:
  std::wstring name_;
};

BSTR Bstr(const std::wstring& text) {
  static const auto allocate = Bind<decltype(&SysAllocStringLen)>(Oleaut32(), "SysAllocStringLen");
  return allocate ? allocate(text.data(), static_cast<UINT>(text.size())) : nullptr;
}

bool IsItem(const VARIANT& child) { return child.vt == VT_I4 && child.lVal != CHILDID_SELF; }

// The system's own object of the control, with a name and, for a list, items from the
// source. It answers only interfaces of its own, so that each gives the same IUnknown:
// one of the system's object would list that object's children, not the source's items.
class ControlObject final : public IAccessible, public IEnumVARIANT, public IOleWindow {
 public:
  ControlObject(std::shared_ptr<AccessibleLink> link, ComPtr<IAccessible> standard)
      : link_(std::move(link)), standard_(std::move(standard)) {}

  // IUnknown. A list enumerates its items; other controls leave their children to the
  // child count and get_accChild, which ask the system's object.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, kIidAccessible))
      *object = static_cast<IAccessible*>(this);
    else if (IsEqualIID(iid, IID_IEnumVARIANT) && Source() && Source()->IsList())
      *object = static_cast<IEnumVARIANT*>(this);
    else if (IsEqualIID(iid, IID_IOleWindow))
      *object = static_cast<IOleWindow*>(this);
    if (!*object) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IDispatch: screen readers call the methods directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return Standard() ? standard_->get_accParent(parent) : Gone();
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!Source()) return Gone();
    if (!count) return E_POINTER;
    if (Source()->IsList()) {
      *count = Source()->ItemCount();
      return S_OK;
    }
    return standard_ ? standard_->get_accChildCount(count) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** dispatch) override {
    if (!Source()) return Gone();
    if (!dispatch) return E_POINTER;
    *dispatch = nullptr;
    if (Source()->IsList()) return ListItem(child) ? S_FALSE : E_INVALIDARG;  // items are simple elements
    return standard_ ? standard_->get_accChild(child, dispatch) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!Source()) return Gone();
    if (!name) return E_POINTER;
    if (child.vt == VT_I4 && child.lVal == CHILDID_SELF) {
      *name = Bstr(Source()->AccessibleName());
      return S_OK;
    }
    if (const int item = ListItem(child)) {
      *name = Bstr(Source()->ItemName(item));
      return S_OK;
    }
    return standard_ ? standard_->get_accName(child, name) : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (ListItem(child)) return S_FALSE;
    return Standard() ? standard_->get_accValue(child, value) : Gone();
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    if (ListItem(child)) return S_FALSE;
    if (child.vt == VT_I4 && child.lVal == CHILDID_SELF && Source() && text) {
      if (std::wstring own = Source()->AccessibleDescription(); !own.empty()) {
        *text = Bstr(own);
        return S_OK;
      }
    }
    return Standard() ? standard_->get_accDescription(child, text) : Gone();
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!Source()) return Gone();
    if (!role) return E_POINTER;
    if (Source()->IsList() && (IsItem(child) || child.lVal == CHILDID_SELF) && child.vt == VT_I4) {
      if (IsItem(child) && !ListItem(child)) return E_INVALIDARG;
      role->vt = VT_I4;
      role->lVal = IsItem(child) ? ROLE_SYSTEM_LISTITEM : ROLE_SYSTEM_LIST;
      return S_OK;
    }
    return standard_ ? standard_->get_accRole(child, role) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!Source()) return Gone();
    if (!state) return E_POINTER;
    if (const int item = ListItem(child)) {
      state->vt = VT_I4;
      state->lVal = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE;
      if (item == Source()->SelectedItem()) state->lVal |= STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED;
      return S_OK;
    }
    return standard_ ? standard_->get_accState(child, state) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    if (ListItem(child)) return S_FALSE;
    return Standard() ? standard_->get_accHelp(child, help) : Gone();
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
    if (ListItem(child)) return S_FALSE;
    return Standard() ? standard_->get_accHelpTopic(file, child, topic) : Gone();
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    if (ListItem(child)) return S_FALSE;
    return Standard() ? standard_->get_accKeyboardShortcut(child, shortcut) : Gone();
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (!Source()) return Gone();
    if (Source()->IsList()) return Selected(focus);
    return standard_ ? standard_->get_accFocus(focus) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (!Source()) return Gone();
    if (Source()->IsList()) return Selected(selection);
    return standard_ ? standard_->get_accSelection(selection) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (ListItem(child)) return S_FALSE;
    return Standard() ? standard_->get_accDefaultAction(child, action) : Gone();
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    if (ListItem(child)) return S_FALSE;
    return Standard() ? standard_->accSelect(flags, child) : Gone();
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
    if (!Source()) return Gone();
    if (const int item = ListItem(child)) {
      if (!left || !top || !width || !height) return E_POINTER;
      RECT r = Source()->ItemRect(item);
      MapWindowPoints(link_->control, nullptr, reinterpret_cast<POINT*>(&r), 2);
      *left = r.left;
      *top = r.top;
      *width = r.right - r.left;
      *height = r.bottom - r.top;
      return S_OK;
    }
    return standard_ ? standard_->accLocation(left, top, width, height, child) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    if (!Source()) return Gone();
    if (!Source()->IsList() || !end) return standard_ ? standard_->accNavigate(direction, start, end) : E_NOTIMPL;
    const int count = Source()->ItemCount();
    int item = 0;
    const int from = ListItem(start);
    if (direction == NAVDIR_FIRSTCHILD && start.lVal == CHILDID_SELF) item = count > 0 ? 1 : 0;
    if (direction == NAVDIR_LASTCHILD && start.lVal == CHILDID_SELF) item = count;
    if ((direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) && from && from < count) item = from + 1;
    if ((direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) && from > 1) item = from - 1;
    if (!item) return standard_ && !from ? standard_->accNavigate(direction, start, end) : S_FALSE;
    end->vt = VT_I4;
    end->lVal = item;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    if (!Source()) return Gone();
    if (Source()->IsList() && child) {
      POINT p{x, y};
      ScreenToClient(link_->control, &p);
      for (int item = 1; item <= Source()->ItemCount(); ++item) {
        const RECT r = Source()->ItemRect(item);
        if (PtInRect(&r, p)) {
          child->vt = VT_I4;
          child->lVal = item;
          return S_OK;
        }
      }
    }
    return standard_ ? standard_->accHitTest(x, y, child) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (ListItem(child)) return S_FALSE;
    return Standard() ? standard_->accDoDefaultAction(child) : Gone();
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return Standard() ? standard_->put_accValue(child, value) : Gone();
  }

  // IEnumVARIANT: the items' child ids, 1 to the count.
  HRESULT STDMETHODCALLTYPE Next(ULONG wanted, VARIANT* items, ULONG* fetched) override {
    if (!Source()) return Gone();
    if (!items) return E_POINTER;
    ULONG given = 0;
    for (; given < wanted && next_ < Source()->ItemCount(); ++given) {
      items[given] = VARIANT{};
      items[given].vt = VT_I4;
      items[given].lVal = ++next_;
    }
    if (fetched) *fetched = given;
    return given == wanted ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    if (!Source()) return Gone();
    const auto left = static_cast<ULONG>(std::max(0L, Source()->ItemCount() - next_));
    next_ += static_cast<long>(std::min(count, left));
    return count <= left ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    next_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override {
    if (!copy) return E_POINTER;
    auto* clone = new ControlObject(link_, standard_.Share());
    clone->next_ = next_;
    *copy = static_cast<IEnumVARIANT*>(clone);
    return S_OK;
  }

  // IOleWindow: the control, for WindowFromAccessibleObject.
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    if (!window) return E_POINTER;
    *window = link_->control;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

 private:
  const AccessibleSource* Source() const { return link_->source; }
  bool Standard() const { return Source() && standard_; }
  static HRESULT Gone() { return RPC_E_DISCONNECTED; }
  // The item a child id names in a list; 0 for the list itself or no item.
  int ListItem(const VARIANT& child) const {
    if (!Source() || !Source()->IsList() || !IsItem(child)) return 0;
    return child.lVal >= 1 && child.lVal <= Source()->ItemCount() ? static_cast<int>(child.lVal) : 0;
  }
  HRESULT Selected(VARIANT* out) const {
    if (!out) return E_POINTER;
    const int item = Source()->SelectedItem();
    out->vt = item ? VT_I4 : VT_EMPTY;
    out->lVal = item;
    return item ? S_OK : S_FALSE;
  }

  std::atomic<ULONG> references_{1};
  std::shared_ptr<AccessibleLink> link_;
  ComPtr<IAccessible> standard_;
  long next_ = 0;  // the enumeration's place: the items before it were given
};

// A control named by NameControl: its own procedure, and the name. The procedure goes
// in beneath any subclass that comes later and stays until the control goes; it finds
// its control here rather than in a window property, which costs Wine a call to its
// server on every message (a list filled with a hundred lines would feel it).
struct Named {
  WNDPROC previous = nullptr;
  std::unique_ptr<FixedName> name;
};

struct NamedControls {
  std::mutex mutex;
  std::unordered_map<HWND, Named> controls;
};

NamedControls& Names() {
  static NamedControls names;
  return names;
}

// The lock is never held while the system is called: a question may come back here.
LRESULT CALLBACK NamedProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  NamedControls& names = Names();
  std::unique_ptr<FixedName> gone;  // goes after the control's own last message
  const FixedName* name = nullptr;
  WNDPROC previous = nullptr;
  {
    std::lock_guard lock(names.mutex);
    auto found = names.controls.find(hwnd);
    if (found == names.controls.end()) return DefWindowProcW(hwnd, message, wParam, lParam);
    previous = found->second.previous;
    name = found->second.name.get();
    if (message == WM_NCDESTROY) {
      gone = std::move(found->second.name);
      names.controls.erase(found);
    }
  }
  if (message == WM_GETOBJECT && name)
    if (LRESULT answer = AnswerAccessible(hwnd, *name, wParam, lParam)) return answer;
  return CallWindowProcW(previous, hwnd, message, wParam, lParam);
}

}  // namespace

AccessibleSource::AccessibleSource() : link_(std::make_shared<AccessibleLink>()) { link_->source = this; }

AccessibleSource::~AccessibleSource() { link_->source = nullptr; }

// COM comes up with the first question: nothing of it is loaded for a program that no
// screen reader asks.
LRESULT AnswerAccessible(HWND control, const AccessibleSource& source, WPARAM wParam, LPARAM lParam) {
  if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT)) return 0;
  try {
    static const auto createStandard =
        Bind<decltype(&CreateStdAccessibleObject)>(Oleacc(), "CreateStdAccessibleObject");
    static const auto lresultFrom = Bind<decltype(&LresultFromObject)>(Oleacc(), "LresultFromObject");
    static ComApartment com;
    if (!createStandard || !lresultFrom) return 0;
    ComPtr<IAccessible> standard;
    if (FAILED(createStandard(control, OBJID_CLIENT, kIidAccessible, reinterpret_cast<void**>(standard.put()))))
      standard.reset();
    source.link_->control = control;
    const ComPtr<IAccessible> object(new ControlObject(source.link_, std::move(standard)));
    return lresultFrom(kIidAccessible, wParam, object.get());
  } catch (...) {
    LogCurrentException("answering a screen reader");
    return 0;
  }
}

void NameControl(HWND control, const std::string& name) {
  if (!control) return;
  NamedControls& names = Names();
  std::lock_guard lock(names.mutex);
  Named& named = names.controls[control];
  named.name = std::make_unique<FixedName>(Widen(name));
  if (named.previous) return;  // named before: the new name stands
  named.previous =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NamedProcedure)));
  if (!named.previous) names.controls.erase(control);
}

void NotifyAccessible(HWND control, DWORD event, LONG child) {
  if (control) NotifyWinEvent(event, control, OBJID_CLIENT, child);
}

}  // namespace win32
