#include "base/lazy_library.h"

namespace win32 {

FARPROC LazyLibrary::Get(const char* function) {
  if (!module_) module_ = LoadLibraryExW(name_, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return module_ ? GetProcAddress(module_, function) : nullptr;
}

bool RestrictLibrarySearch() { return SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE; }

LazyLibrary& Shell32() {
  static LazyLibrary library(L"shell32.dll");
  return library;
}

LazyLibrary& Ole32() {
  static LazyLibrary library(L"ole32.dll");
  return library;
}

LazyLibrary& Comdlg32() {
  static LazyLibrary library(L"comdlg32.dll");
  return library;
}

LazyLibrary& Winmm() {
  static LazyLibrary library(L"winmm.dll");
  return library;
}

LazyLibrary& Imm32() {
  static LazyLibrary library(L"imm32.dll");
  return library;
}

LazyLibrary& Dwmapi() {
  static LazyLibrary library(L"dwmapi.dll");
  return library;
}

LazyLibrary& Oleacc() {
  static LazyLibrary library(L"oleacc.dll");
  return library;
}

LazyLibrary& Oleaut32() {
  static LazyLibrary library(L"oleaut32.dll");
  return library;
}

LazyLibrary& Shlwapi() {
  static LazyLibrary library(L"shlwapi.dll");
  return library;
}

LazyLibrary& Mpr() {
  static LazyLibrary library(L"mpr.dll");
  return library;
}

}  // namespace win32
