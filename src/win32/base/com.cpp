#include "base/com.h"

#include <objbase.h>

#include "base/lazy_library.h"

namespace win32 {

// COM is loaded with its first user, not at start-up.
ComApartment::ComApartment() {
  static const auto initialize = Bind<decltype(&CoInitializeEx)>(Ole32(), "CoInitializeEx");
  initialized_ = initialize && SUCCEEDED(initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
}

ComApartment::~ComApartment() {
  static const auto uninitialize = Bind<decltype(&CoUninitialize)>(Ole32(), "CoUninitialize");
  if (initialized_ && uninitialize) uninitialize();
}

void FreeComMemory(void* memory) {
  static const auto free = Bind<decltype(&CoTaskMemFree)>(Ole32(), "CoTaskMemFree");
  if (memory && free) free(memory);
}

}  // namespace win32
