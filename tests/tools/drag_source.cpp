// A source of OLE drags for the end-to-end tests, as the Start menu, Explorer or a
// browser is one: a window "drag source" at 40,40 that starts a drag when the left
// button goes down in it (its title becomes "drag source dragging"), and ends when the
// drag does.
//   drag_source shell NAME   the shell's own data of the item NAME (a path, shell:...,
//                            ::{...}), as Explorer drags it
//   drag_source url ADDRESS  an address alone ("UniformResourceLocatorW"), as a browser
//                            drags a link
// A third argument "link" allows only a link to be made, as the Start menu, the
// Applications folder and the Control Panel allow; else copy and link are allowed.
#include <windows.h>

#include <ole2.h>
#include <shlobj.h>

#include <string>

namespace {

constexpr GUID kIidDataObject = {0x0000010e, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidDropSource = {0x00000121, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidShellFolder = {0x000214E6, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

class DropSource final : public IDropSource {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    *object = IsEqualIID(iid, kIidUnknown) || IsEqualIID(iid, kIidDropSource) ? this : nullptr;
    return *object ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
    if (escape) return DRAGDROP_S_CANCEL;
    return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
  }
  HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

// One address in one format.
class AddressData final : public IDataObject {
 public:
  explicit AddressData(std::wstring address)
      : address_(std::move(address)),
        format_(static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"UniformResourceLocatorW"))) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    *object = IsEqualIID(iid, kIidUnknown) || IsEqualIID(iid, kIidDataObject) ? this : nullptr;
    return *object ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* wanted, STGMEDIUM* medium) override {
    if (QueryGetData(wanted) != S_OK) return DV_E_FORMATETC;
    const size_t bytes = (address_.size() + 1) * sizeof(wchar_t);
    HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(global), address_.c_str(), bytes);
    GlobalUnlock(global);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = global;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* wanted) override {
    return wanted && wanted->cfFormat == format_ && (wanted->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
    out->ptd = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
    FORMATETC one{format_, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    return direction == DATADIR_GET ? SHCreateStdEnumFmtEtc(1, &one, formats) : E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
    return OLE_E_ADVISENOTSUPPORTED;
  }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

 private:
  std::wstring address_;
  CLIPFORMAT format_;
};

IDataObject* ShellData(const wchar_t* name) {
  PIDLIST_ABSOLUTE item = nullptr;
  if (FAILED(SHParseDisplayName(name, nullptr, &item, 0, nullptr))) return nullptr;
  IShellFolder* parent = nullptr;
  PCUITEMID_CHILD child = nullptr;
  IDataObject* data = nullptr;
  DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_LINK;
  if (SUCCEEDED(SHBindToParent(item, kIidShellFolder, reinterpret_cast<void**>(&parent), &child))) {
    parent->GetUIObjectOf(nullptr, 1, &child, kIidDataObject, nullptr, reinterpret_cast<void**>(&data));
    parent->Release();
  }
  CoTaskMemFree(item);
  return data;
}

IDataObject* data = nullptr;
DWORD allowed = DROPEFFECT_COPY | DROPEFFECT_LINK;

LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN && data) {
    SetWindowTextW(hwnd, L"drag source dragging");  // for the test: the press came, the drag begins
    static DropSource source;
    DWORD effect = 0;
    DoDragDrop(data, &source, allowed, &effect);
    DestroyWindow(hwnd);
    return 0;
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  OleInitialize(nullptr);
  if (__argc < 3) return 2;
  const std::wstring kind = __wargv[1];
  static AddressData address(__wargv[2]);
  data = kind == L"url" ? &address : ShellData(__wargv[2]);
  if (!data) return 1;
  if (__argc > 3 && std::wstring(__wargv[3]) == L"link") allowed = DROPEFFECT_LINK;
  WNDCLASSW wc{};
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"DragSource";
  RegisterClassW(&wc);
  CreateWindowExW(WS_EX_TOPMOST, L"DragSource", L"drag source", WS_POPUP | WS_VISIBLE | WS_BORDER, 40, 40, 120, 80,
                  nullptr, nullptr, instance, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  OleUninitialize();
  return 0;
}
