#include "base/win_sound.h"

#include "base/win.h"

#include <mmsystem.h>

#include "base/utf16.h"

namespace win32 {

// The sound library is loaded on the first sound, not at start-up.
void WinSound::PlayAsync(const std::string& path) {
  using PlaySoundFn = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);
  static const auto playSound = [] {
    HMODULE winmm = LoadLibraryExW(L"winmm.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return winmm ? reinterpret_cast<PlaySoundFn>(reinterpret_cast<void*>(GetProcAddress(winmm, "PlaySoundW")))
                 : nullptr;
  }();
  if (playSound) playSound(Widen(path).c_str(), nullptr, SND_FILENAME | SND_ASYNC);
}

}  // namespace win32
