#include "launch/button_keys_thread.h"

#include <deque>
#include <set>
#include <string>

#include "base/handles.h"
#include "base/log.h"
#include "base/posted_closure.h"

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"ZubiButtonKeys";
// Changes are waiting in the queue.
constexpr UINT kApply = WM_APP + 1;

struct Batch {
  std::vector<int> withdrawn;
  std::vector<core::KeyRegistration> added;
  core::GlobalKeys::Refused done;
};

}  // namespace

struct ButtonKeysThread::Shared {
  UniqueKernel ready{CreateEventW(nullptr, TRUE, FALSE, nullptr)};  // the window is there
  HWND launcher = nullptr;
  std::function<void(int)> pressed;
  SRWLOCK lock = SRWLOCK_INIT;
  HWND window = nullptr;  // the thread's, once made; under the lock
  std::deque<Batch> queue;
  std::set<int> registered;  // the thread's own
};

ButtonKeysThread::ButtonKeysThread(HWND launcherWindow, std::function<void(int id)> pressed)
    : shared_(std::make_shared<Shared>()) {
  shared_->launcher = launcherWindow;
  shared_->pressed = std::move(pressed);
  worker_.Start([shared = shared_](HANDLE stop) { Run(*shared, stop); });
}

// Before the thread's window is there, the thread takes the queue once it is.
void ButtonKeysThread::Change(const std::vector<int>& withdrawn, const std::vector<core::KeyRegistration>& added,
                              Refused done) {
  AcquireSRWLockExclusive(&shared_->lock);
  shared_->queue.push_back({withdrawn, added, std::move(done)});
  HWND window = shared_->window;
  ReleaseSRWLockExclusive(&shared_->lock);
  if (window) PostMessageW(window, kApply, 0, 0);
}

namespace {

void Apply(HWND window, std::set<int>& registered, Batch& batch, HWND launcher) {
  for (int id : batch.withdrawn) {
    UnregisterHotKey(window, id);
    registered.erase(id);
  }
  std::vector<int> refused;
  for (const core::KeyRegistration& key : batch.added) {
    if (registered.count(key.id)) UnregisterHotKey(window, key.id);
    if (RegisterHotKey(window, key.id, key.modifiers | MOD_NOREPEAT, static_cast<UINT>(key.code))) {
      registered.insert(key.id);
      continue;
    }
    LogLastError("registering a button's key " + std::to_string(key.modifiers) + "+" + std::to_string(key.code));
    refused.push_back(key.id);
  }
  if (batch.done) PostClosure(launcher, [done = std::move(batch.done), refused] { done(refused); });
}

}  // namespace

void ButtonKeysThread::ApplyQueue(Shared& shared) {
  for (;;) {
    AcquireSRWLockExclusive(&shared.lock);
    if (shared.queue.empty()) {
      ReleaseSRWLockExclusive(&shared.lock);
      return;
    }
    Batch batch = std::move(shared.queue.front());
    shared.queue.pop_front();
    ReleaseSRWLockExclusive(&shared.lock);
    Apply(shared.window, shared.registered, batch, shared.launcher);
  }
}

LRESULT CALLBACK ButtonKeysThread::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* shared = reinterpret_cast<Shared*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (shared && message == kApply) {
    ApplyQueue(*shared);
    return 0;
  }
  if (shared && message == WM_HOTKEY) {
    const int id = static_cast<int>(wParam);
    PostClosure(shared->launcher, [pressed = shared->pressed, id] { pressed(id); });
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// A top-level window that is never shown: the presses reach it whatever has the focus.
void ButtonKeysThread::Run(Shared& shared, HANDLE stop) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);  // fails harmlessly once the class is there
  HWND window = CreateWindowExW(0, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
  if (!window) {
    LogLastError("making the window of the buttons' keys");
    return;
  }
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&shared));
  AcquireSRWLockExclusive(&shared.lock);
  shared.window = window;
  ReleaseSRWLockExclusive(&shared.lock);
  SetEvent(shared.ready.get());
  ApplyQueue(shared);
  while (MsgWaitForMultipleObjects(1, &stop, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  for (int id : shared.registered) UnregisterHotKey(window, id);
  shared.registered.clear();
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
}

// The thread applies the queue before it answers.
void ButtonKeysThread::Flush() {
  if (WaitForSingleObject(shared_->ready.get(), Worker::kStopWait) != WAIT_OBJECT_0) return;
  DWORD_PTR result = 0;
  SendMessageTimeoutW(shared_->window, kApply, 0, 0, SMTO_NORMAL, Worker::kStopWait, &result);
}

}  // namespace win32
