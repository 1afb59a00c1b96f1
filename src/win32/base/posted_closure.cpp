#include "base/posted_closure.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <vector>

namespace win32 {
namespace {

struct Pending {
  HWND window;
  std::function<void()> closure;
};

// Each closure goes by a number never given twice, so that no message can run another
// closure than its own.
struct Closures {
  std::mutex mutex;
  std::uintptr_t last = 0;
  std::map<std::uintptr_t, Pending> pending;
};

Closures& PostedClosures() {
  static Closures closures;
  return closures;
}

// Those of windows that are gone, taken out under the lock and freed after it: a
// closure's captures may post again as they go.
std::vector<Pending> TakeOrphans(Closures& closures, HWND gone) {
  std::vector<Pending> orphans;
  for (auto it = closures.pending.begin(); it != closures.pending.end();) {
    if (it->second.window == gone || !IsWindow(it->second.window)) {
      orphans.push_back(std::move(it->second));
      it = closures.pending.erase(it);
    } else {
      ++it;
    }
  }
  return orphans;
}

}  // namespace

UINT ClosureMessage() {
  static const UINT message = RegisterWindowMessageW(L"ZubiPostedClosure");
  return message;
}

void PostClosure(HWND window, std::function<void()> closure) {
  Closures& closures = PostedClosures();
  std::vector<Pending> orphans;
  std::uintptr_t id = 0;
  {
    std::lock_guard lock(closures.mutex);
    orphans = TakeOrphans(closures, nullptr);
    id = ++closures.last;
    closures.pending.emplace(id, Pending{window, std::move(closure)});
  }
  if (PostMessageW(window, ClosureMessage(), 0, static_cast<LPARAM>(id))) return;
  std::lock_guard lock(closures.mutex);
  if (auto unposted = closures.pending.extract(id)) orphans.push_back(std::move(unposted.mapped()));
}

void RunPostedClosure(LPARAM lParam) {
  Closures& closures = PostedClosures();
  std::function<void()> closure;
  {
    std::lock_guard lock(closures.mutex);
    auto it = closures.pending.find(static_cast<std::uintptr_t>(lParam));
    if (it == closures.pending.end()) return;
    closure = std::move(it->second.closure);
    closures.pending.erase(it);
  }
  if (closure) closure();
}

void DropPostedClosures(HWND window) {
  Closures& closures = PostedClosures();
  std::vector<Pending> orphans;
  std::lock_guard lock(closures.mutex);
  orphans = TakeOrphans(closures, window);
}

}  // namespace win32
