#include "base/win_sound.h"

#include "base/win.h"

#include <mmsystem.h>

#include "base/lazy_library.h"
#include "base/utf16.h"

namespace win32 {

// The sound library is loaded on the first sound, not at start-up.
void WinSound::PlayAsync(const std::string& path) {
  static const auto playSound = Bind<decltype(&PlaySoundW)>(Winmm(), "PlaySoundW");
  if (playSound) playSound(Widen(path).c_str(), nullptr, SND_FILENAME | SND_ASYNC);
}

}  // namespace win32
