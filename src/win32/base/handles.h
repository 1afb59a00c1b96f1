#pragma once

#include <utility>

#include "base/win.h"

namespace win32 {

// Owns one handle and gives it back to the system with Release when it goes.
template <typename Handle, typename Release>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  Handle get() const { return handle_; }
  Handle release() { return std::exchange(handle_, Handle{}); }
  void reset(Handle handle = Handle{}) {
    if (handle_) Release{}(handle_);
    handle_ = handle;
  }
  explicit operator bool() const { return handle_ != Handle{}; }

 private:
  Handle handle_{};
};

struct DestroyWindowRelease {
  void operator()(HWND h) const { DestroyWindow(h); }
};
struct DeleteObjectRelease {
  void operator()(HGDIOBJ h) const { DeleteObject(h); }
};
struct DestroyIconRelease {
  void operator()(HICON h) const { DestroyIcon(h); }
};
struct DestroyMenuRelease {
  void operator()(HMENU h) const { DestroyMenu(h); }
};
struct GlobalDeleteAtomRelease {
  void operator()(ATOM a) const { GlobalDeleteAtom(a); }
};
struct CloseHandleRelease {
  void operator()(HANDLE h) const { CloseHandle(h); }
};
struct DeleteDcRelease {
  void operator()(HDC h) const { DeleteDC(h); }
};

using UniqueHwnd = UniqueHandle<HWND, DestroyWindowRelease>;
using UniqueHfont = UniqueHandle<HFONT, DeleteObjectRelease>;
using UniqueHbrush = UniqueHandle<HBRUSH, DeleteObjectRelease>;
using UniqueHbitmap = UniqueHandle<HBITMAP, DeleteObjectRelease>;
using UniqueHpen = UniqueHandle<HPEN, DeleteObjectRelease>;
using UniqueHicon = UniqueHandle<HICON, DestroyIconRelease>;
using UniqueHmenu = UniqueHandle<HMENU, DestroyMenuRelease>;
using UniqueAtom = UniqueHandle<ATOM, GlobalDeleteAtomRelease>;
// A kernel object: a thread, a process, a token, an open file.
using UniqueKernel = UniqueHandle<HANDLE, CloseHandleRelease>;
// A memory DC of CreateCompatibleDC.
using UniqueMemoryDc = UniqueHandle<HDC, DeleteDcRelease>;

// An open file, or nothing when CreateFileW failed (INVALID_HANDLE_VALUE).
inline UniqueKernel OwnFile(HANDLE file) { return UniqueKernel(file == INVALID_HANDLE_VALUE ? nullptr : file); }

// A COM interface pointer, released when it goes: the program's one owner of them.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a pointer that is owed a Release.
  explicit ComPtr(Interface* owned) : pointer_(owned) {}
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }
  // A second owner of the same object.
  ComPtr Share() const {
    if (pointer_) pointer_->AddRef();
    return ComPtr(pointer_);
  }
  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // For a function that hands out a new pointer; the old one is released first.
  Interface** put() {
    reset();
    return &pointer_;
  }
  void reset() {
    if (pointer_) pointer_->Release();
    pointer_ = nullptr;
  }

 private:
  Interface* pointer_ = nullptr;
};

// A window's device context, released to the window it came from.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() { ReleaseDC(window_, dc_); }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A window's painting, from BeginPaint to EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
  ~PaintDc() { EndPaint(window_, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  HDC get() const { return dc_; }
  const RECT& Dirty() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// Selects an object into a DC for a scope.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectedObject() { SelectObject(dc_, old_); }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace win32
