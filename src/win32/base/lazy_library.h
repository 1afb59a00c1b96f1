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

// From now on, libraries loaded without a path, also those that system libraries load
// on the program's behalf, are looked for in the system folder only: never beside the
// program, whose folder may travel on a stick or through a sync service and hold a
// planted library with a system library's name. False when the system refused.
bool RestrictLibrarySearch();

LazyLibrary& Shell32();
LazyLibrary& Ole32();
LazyLibrary& Comdlg32();
LazyLibrary& Winmm();
LazyLibrary& Imm32();
LazyLibrary& Dwmapi();
LazyLibrary& Oleacc();
LazyLibrary& Oleaut32();
LazyLibrary& Shlwapi();
LazyLibrary& Mpr();  // not a Known DLL: only ever from the system folder

// A typed pointer to a function of a lazily loaded library; nullptr when it is missing.
template <typename Function>
Function Bind(LazyLibrary& library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(library.Get(name)));
}

}  // namespace win32
