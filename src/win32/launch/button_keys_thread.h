#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "base/win.h"
#include "base/worker.h"
#include "launch/button_keys.h"

namespace win32 {

// The buttons' own keys on a thread of their own, whose hidden window holds their
// registrations (with MOD_NOREPEAT): registering a thousand keys costs the launcher
// window's thread nothing. A press and the keys the system refused come back to the
// launcher window as background answers (PostClosure). Stopping it
// withdraws every registration.
class ButtonKeysThread final : public core::GlobalKeys {
 public:
  // `pressed` hears the identifier of a pressed key, on the launcher window's thread.
  ButtonKeysThread(HWND launcherWindow, std::function<void(int id)> pressed);
  ~ButtonKeysThread() override { Stop(); }
  ButtonKeysThread(const ButtonKeysThread&) = delete;
  ButtonKeysThread& operator=(const ButtonKeysThread&) = delete;

  void Change(const std::vector<int>& withdrawn, const std::vector<core::KeyRegistration>& added,
              Refused done) override;
  void Flush() override;
  void Stop() { worker_.Stop(); }

 private:
  struct Shared;
  static void Run(Shared& shared, HANDLE stop);
  static void ApplyQueue(Shared& shared);
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  std::shared_ptr<Shared> shared_;
  Worker worker_;
};

}  // namespace win32
