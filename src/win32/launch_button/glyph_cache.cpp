#include "launch_button/glyph_cache.h"

#include <deque>
#include <mutex>
#include <vector>

#include "base/com.h"
#include "base/shell_path.h"
#include "base/win_file_probe.h"
#include "launch_button/target_icon.h"
#include "launch_button/target_path.h"

namespace win32 {
namespace {

constexpr size_t kMostGlyphs = 400;

}  // namespace

// What the lookup thread and the cache share; the thread holds it, never the cache.
struct GlyphCache::Loader::Shared {
  std::mutex mutex;
  std::deque<std::pair<Target, HWND>> asked;
  std::map<Target, Icon> loaded;
  UniqueKernel wake{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
};

void GlyphCache::Loader::Request(const Target& target, HWND waiting) {
  if (!worker_.Running()) {
    shared_ = std::make_shared<Shared>();
    worker_.Start([shared = shared_](HANDLE stop) {
      ComApartment com;
      std::map<Target, Icon> known;  // each icon looked up once
      const HANDLE events[] = {stop, shared->wake.get()};
      while (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        for (;;) {
          std::pair<Target, HWND> next;
          {
            std::lock_guard lock(shared->mutex);
            if (shared->asked.empty()) break;
            next = shared->asked.front();
            shared->asked.pop_front();
          }
          Icon& icon = known[next.first];
          if (!icon) icon = std::make_shared<UniqueHicon>(TargetIcon(next.first.first, next.first.second));
          {
            std::lock_guard lock(shared->mutex);
            shared->loaded[next.first] = icon;
          }
          if (next.second) PostMessageW(next.second, kGlyphReady, 0, 0);
          if (Worker::Stopped(stop)) return;
        }
      }
    });
  }
  std::lock_guard lock(shared_->mutex);
  shared_->asked.emplace_back(target, waiting);
  SetEvent(shared_->wake.get());
}

std::map<GlyphCache::Target, GlyphCache::Icon> GlyphCache::Loader::TakeLoaded() {
  if (!shared_) return {};
  std::lock_guard lock(shared_->mutex);
  return std::exchange(shared_->loaded, {});
}

// The icon once it is there, drawn on this thread; a globe until then.
std::shared_ptr<const Glyph> GlyphCache::TargetGlyph(const core::GlyphSource& source, bool small, UINT dpi, bool dimmed,
                                                     HWND waiting) {
  Key key{source.file, source.index, source.useShellIcon, small, dpi, dimmed};
  if (auto found = glyphs_.find(key); found != glyphs_.end()) return found->second.glyph;
  icons_.merge(loader_.TakeLoaded());
  auto icon = icons_.find({source.file, small});
  if (icon == icons_.end()) {
    loader_.Request({source.file, small}, waiting);
    return std::make_shared<const Glyph>(DrawTargetGlyph(nullptr, small, dpi, dimmed));
  }
  auto glyph = std::make_shared<const Glyph>(DrawTargetGlyph(icon->second->get(), small, dpi, dimmed));
  if (glyphs_.size() >= kMostGlyphs) glyphs_.clear();
  glyphs_[std::move(key)] = {-1, -1, glyph};
  return glyph;
}

std::shared_ptr<const Glyph> GlyphCache::Get(const core::GlyphSource& source, bool small, UINT dpi, bool dimmed,
                                             HWND waiting) {
  if (source.useShellIcon && core::KindOfTarget(source.file) != core::TargetKind::kFile)
    return TargetGlyph(source, small, dpi, dimmed, waiting);
  QuietErrors quiet;  // also while the icon is read below
  WIN32_FILE_ATTRIBUTE_DATA data{};
  long long size = -1, written = -1;  // no file: a blank glyph, kept until one appears
  if (!source.file.empty() && GetFileAttributesExW(SystemPath(source.file).c_str(), GetFileExInfoStandard, &data)) {
    size = static_cast<long long>((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
    written = static_cast<long long>((static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                     data.ftLastWriteTime.dwLowDateTime);
  }
  Key key{source.file, source.index, source.useShellIcon, small, dpi, dimmed};
  auto found = glyphs_.find(key);
  if (found != glyphs_.end() && found->second.size == size && found->second.written == written)
    return found->second.glyph;
  // A folder's write time changes whenever a file in it comes or goes: keeping every
  // version's glyph would fill the cache with glyphs that are never shown again.
  if (found == glyphs_.end() && glyphs_.size() >= kMostGlyphs) glyphs_.clear();
  auto glyph = std::make_shared<const Glyph>(DrawIconGlyph(source, small, dpi, dimmed));
  glyphs_[std::move(key)] = {size, written, glyph};
  return glyph;
}

GlyphCache& Glyphs() {
  static GlyphCache cache;
  return cache;
}

}  // namespace win32
