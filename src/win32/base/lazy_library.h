#pragma once

#include "base/win.h"

namespace win32 {

// A system DLL loaded on the first call into it, so that the launcher shows its
// window without paying for libraries it only needs later (the shell, COM).
class LazyLibrary {
 public:
  explicit LazyLibrary(const wchar_t* name) : name_(name) {}
  FARPROC Get(const char* function);

 private:
  const wchar_t* name_;
  HMODULE module_ = nullptr;
};

LazyLibrary& Shell32();
LazyLibrary& Ole32();
LazyLibrary& Comdlg32();
LazyLibrary& Winmm();
LazyLibrary& Imm32();
LazyLibrary& Dwmapi();

// A typed pointer to a function of a lazily loaded library; nullptr when it is missing.
template <typename Function>
Function Bind(LazyLibrary& library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(library.Get(name)));
}

}  // namespace win32
