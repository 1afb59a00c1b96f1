#pragma once

#include <functional>

#include "base/win.h"

namespace win32 {

// Closures posted to a window from any thread, run on the window's thread: the window
// hands ClosureMessage() to RunPostedClosure. A closure whose window goes before it
// runs is freed unrun: when the window drops its closures as it goes, and else at the
// latest with the next closure posted to any window.
UINT ClosureMessage();
void PostClosure(HWND window, std::function<void()> closure);
void RunPostedClosure(LPARAM lParam);
void DropPostedClosures(HWND window);

}  // namespace win32
