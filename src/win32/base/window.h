#pragma once

#include <string>
#include <string_view>

#include "base/dpi.h"
#include "base/handles.h"
#include "base/log.h"

namespace win32 {

// Registers a window class; a failure other than an existing class of that name is
// logged (the windows of the class are then not created, and that is logged too).
inline void RegisterWindowClass(const WNDCLASSEXW& windowClass) {
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    LogLastError("registering a window class");
}

// A window or control made by CreateWindowExW; nothing is logged when it exists.
inline HWND Created(HWND window, std::string_view what) {
  if (!window) LogLastError(what);
  return window;
}

// Base of every window of the program: registers the class, creates the window with
// `this` as its creation parameter, and routes each message to
// Derived::OnMessage(message, wParam, lParam). No exception leaves the window procedure.
template <typename Derived>
class Window {
 public:
  HWND Handle() const { return hwnd_.get(); }

 protected:
  Window() = default;
  // Messages sent while the window is destroyed no longer reach the derived object,
  // which is gone by then.
  ~Window() {
    if (hwnd_) SetWindowLongPtrW(hwnd_.get(), GWLP_USERDATA, 0);
  }
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  static void RegisterOnce(const wchar_t* className, UINT classStyle, HBRUSH background, HICON icon = nullptr) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &wc)) return;
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = &Window::Procedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.hIcon = icon;
    wc.hIconSm = icon;
    wc.lpszClassName = className;
    RegisterWindowClass(wc);
  }

  HWND CreateFor(DWORD exStyle, const wchar_t* className, const std::wstring& title, DWORD style, RECT rect,
                 HWND parent, HMENU menu) {
    return Created(
        CreateWindowExW(exStyle, className, title.c_str(), style, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, parent, menu, GetModuleHandleW(nullptr), this),
        "creating a window");
  }

  // A dialog frame whose client area is width x height at 96 DPI, scaled to the DPI
  // of the owner's monitor, which it returns; placed later by its dialog.
  UINT CreateDialogFrame(const wchar_t* className, const std::wstring& caption, int width, int height, DWORD style,
                         DWORD exStyle, HWND owner) {
    RegisterOnce(className, 0, nullptr);
    UINT dpi = DpiOf(owner);
    SIZE size = OuterSizeForClient(width, height, style, exStyle, false, dpi);
    CreateFor(exStyle, className, caption, style, RECT{0, 0, size.cx, size.cy}, owner, nullptr);
    return dpi;
  }

  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(Handle(), message, wParam, lParam);
  }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
      self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->hwnd_.reset(hwnd);
    }
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    LRESULT result;
    try {
      result = static_cast<Derived*>(self)->OnMessage(message, wParam, lParam);
    } catch (...) {
      LogCurrentException("window procedure");
      result = DefWindowProcW(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      self->hwnd_.release();
    }
    return result;
  }

  UniqueHwnd hwnd_;
};

}  // namespace win32
