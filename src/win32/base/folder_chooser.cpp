// The shell's folder browser, with a typed folder name read by this program: Wine's
// browser returns the selected tree item and ignores the text typed into its edit box,
// so the chooser reads that text itself and works alike on Windows and under Wine.
// Wine's edit box also lacks horizontal scrolling, so the chooser gives it a box that
// scrolls.
#include "base/folder_chooser.h"

#include <objbase.h>
#include <shlobj.h>

#include "base/com.h"
#include "base/lazy_library.h"
#include "base/utf16.h"

namespace win32 {
namespace {

const wchar_t kWindowProperty[] = L"ZubiFolderChooser";
constexpr UINT_PTR kRetryTimer = 0x5A42;
constexpr int kRetries = 20;
constexpr UINT kRetryMilliseconds = 50;

struct Chooser {
  std::wstring start;
  std::wstring selected;      // path of the selected folder
  std::wstring selectedName;  // what the edit box shows for it
  std::wstring typed;         // the edit box's text when OK was pressed
  bool confirmed = false;
  int retries = 0;
  WNDPROC original = nullptr;
};

std::wstring EditText(HWND dialog) {
  HWND edit = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
  if (!edit) return {};
  int length = GetWindowTextLengthW(edit);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(edit, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  return text;
}

// An edit box without horizontal scrolling refuses keys once its text fills its width,
// so a long typed or pasted path would arrive cut. Such a box (Wine's) gives way to an
// equal one that scrolls: same id, styles, font, text, limit, place and tab order, so
// that the browser, which finds its box by id, and EditText keep working.
void MakeEditBoxScroll(HWND dialog) {
  HWND edit = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
  const LONG style = edit ? GetWindowLongW(edit, GWL_STYLE) : ES_AUTOHSCROLL;
  if (style & ES_AUTOHSCROLL) return;
  RECT place{};
  GetWindowRect(edit, &place);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
  HWND scrolling =
      CreateWindowExW(GetWindowLongW(edit, GWL_EXSTYLE), L"Edit", EditText(dialog).c_str(), style | ES_AUTOHSCROLL,
                      place.left, place.top, place.right - place.left, place.bottom - place.top, dialog,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(edit))),
                      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), nullptr);
  if (!scrolling) return;
  SendMessageW(scrolling, WM_SETFONT, SendMessageW(edit, WM_GETFONT, 0, 0), FALSE);
  SendMessageW(scrolling, EM_SETLIMITTEXT, SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 0);
  SetWindowPos(scrolling, edit, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  DestroyWindow(edit);
}

std::wstring Trimmed(const std::wstring& text) {
  size_t first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return {};
  size_t last = text.find_last_not_of(L" \t");
  return text.substr(first, last - first + 1);
}

bool IsAbsolute(const std::wstring& path) {
  return (path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/')) || path.starts_with(L"\\\\");
}

// The start folder is selected again while the selection stands on one of its parents:
// Wine's browser sometimes stops on the way down when its tree is still being filled.
void RetryStart(HWND dialog, Chooser& chooser) {
  const std::wstring& now = chooser.selected;
  bool onTheWay = !now.empty() && now.size() < chooser.start.size() &&
                  CompareStringOrdinal(now.c_str(), static_cast<int>(now.size()), chooser.start.c_str(),
                                       static_cast<int>(now.size()), TRUE) == CSTR_EQUAL;
  if (!onTheWay || ++chooser.retries > kRetries) {
    KillTimer(dialog, kRetryTimer);
    return;
  }
  SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(chooser.start.c_str()));
}

// OK is read before the browser acts on it.
LRESULT CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  auto* chooser = static_cast<Chooser*>(GetPropW(dialog, kWindowProperty));
  if (!chooser) return DefWindowProcW(dialog, message, wParam, lParam);
  WNDPROC original = chooser->original;
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
    chooser->typed = EditText(dialog);
    chooser->confirmed = true;
  } else if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
    chooser->confirmed = false;
  } else if (message == WM_TIMER && wParam == kRetryTimer) {
    RetryStart(dialog, *chooser);
    return 0;
  } else if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    RemovePropW(dialog, kWindowProperty);
  }
  return CallWindowProcW(original, dialog, message, wParam, lParam);
}

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM lParam, LPARAM data) {
  static const auto pathFromList = Bind<decltype(&SHGetPathFromIDListW)>(Shell32(), "SHGetPathFromIDListW");
  static const auto fileInfo = Bind<decltype(&SHGetFileInfoW)>(Shell32(), "SHGetFileInfoW");
  auto* chooser = reinterpret_cast<Chooser*>(data);
  if (message == BFFM_INITIALIZED) {
    SetPropW(dialog, kWindowProperty, chooser);
    chooser->original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DialogProcedure)));
    MakeEditBoxScroll(dialog);
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(chooser->start.c_str()));
    SetTimer(dialog, kRetryTimer, kRetryMilliseconds, nullptr);
  } else if (message == BFFM_SELCHANGED) {
    auto list = reinterpret_cast<PCIDLIST_ABSOLUTE>(lParam);
    wchar_t path[MAX_PATH] = L"";
    chooser->selected = pathFromList && pathFromList(list, path) ? path : L"";
    SHFILEINFOW info{};
    chooser->selectedName.clear();
    if (fileInfo && fileInfo(reinterpret_cast<LPCWSTR>(list), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME))
      chooser->selectedName = info.szDisplayName;
  }
  return 0;
}

// An empty text or the selected folder's own name means the selected folder; a full
// path is taken as it is; any other text names a folder inside the selected one.
std::wstring ChosenPath(const Chooser& chooser) {
  std::wstring typed = Trimmed(chooser.typed);
  if (typed.empty() || typed == chooser.selectedName) return chooser.selected;
  if (IsAbsolute(typed)) return typed;
  if (chooser.selected.empty()) return {};
  std::wstring path = chooser.selected;
  if (path.back() != L'\\') path += L'\\';
  return path + typed;
}

}  // namespace

std::optional<std::string> ChooseFolderDialog(HWND owner, const std::string& start) {
  static const auto browse = Bind<decltype(&SHBrowseForFolderW)>(Shell32(), "SHBrowseForFolderW");
  static const auto createFolder = Bind<decltype(&SHCreateDirectoryExW)>(Shell32(), "SHCreateDirectoryExW");
  if (!browse || !createFolder) return std::nullopt;
  ComApartment com;
  Chooser chooser;
  chooser.start = Widen(start);
  while (chooser.start.size() > 3 && (chooser.start.back() == L'\\' || chooser.start.back() == L'/'))
    chooser.start.pop_back();
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
  info.lpfn = BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(&chooser);
  ComMemory<PIDLIST_ABSOLUTE> list(browse(&info));
  // Windows may refuse a name that does not exist yet; OK was pressed all the same.
  if (!list && !chooser.confirmed) return std::nullopt;
  std::wstring path = ChosenPath(chooser);
  if (path.empty()) return std::nullopt;
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    int result = createFolder(owner, path.c_str(), nullptr);
    if (result != ERROR_SUCCESS && result != ERROR_ALREADY_EXISTS) return std::nullopt;
  } else if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return std::nullopt;
  }
  return Narrow(path);
}

}  // namespace win32
