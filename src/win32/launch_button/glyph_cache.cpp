#include "launch_button/glyph_cache.h"

#include <cwctype>
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

// A UNC path, or a path on a drive letter; nothing for a relative path.
enum class Place { kUnc, kDrive, kOther };

Place PlaceOf(std::wstring& path) {
  if (path.starts_with(L"\\\\?\\UNC\\")) return Place::kUnc;
  if (path.starts_with(L"\\\\?\\")) path.erase(0, 4);
  if (path.starts_with(L"\\\\")) return Place::kUnc;
  const wchar_t letter = path.size() >= 2 && path[1] == L':' ? towupper(path[0]) : 0;
  return letter >= L'A' && letter <= L'Z' ? Place::kDrive : Place::kOther;
}

// A file's size and write time; -1, -1 when there is no file.
std::pair<long long, long long> StampOf(const std::string& file) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (file.empty() || !GetFileAttributesExW(SystemPath(file).c_str(), GetFileExInfoStandard, &data)) return {-1, -1};
  return {static_cast<long long>((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow),
          static_cast<long long>((static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                 data.ftLastWriteTime.dwLowDateTime)};
}

}  // namespace

// What the loader's thread and the cache share; the thread holds it, never the cache.
struct GlyphCache::Loader::Shared {
  std::mutex mutex;
  std::deque<std::tuple<Key, std::function<Drawn()>, HWND>> asked;
  std::map<Key, Drawn> loaded;
  UniqueKernel wake{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
};

void GlyphCache::Loader::Request(const Key& key, std::function<Drawn()> draw, HWND waiting) {
  if (!worker_.Running()) {
    shared_ = std::make_shared<Shared>();
    worker_.Start([shared = shared_](HANDLE stop) {
      ComApartment com;
      const HANDLE events[] = {stop, shared->wake.get()};
      while (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        for (;;) {
          std::tuple<Key, std::function<Drawn()>, HWND> next;
          {
            std::lock_guard lock(shared->mutex);
            if (shared->asked.empty()) break;
            next = std::move(shared->asked.front());
            shared->asked.pop_front();
          }
          Drawn drawn = std::get<1>(next)();
          {
            std::lock_guard lock(shared->mutex);
            shared->loaded[std::get<0>(next)] = std::move(drawn);
          }
          if (std::get<2>(next)) PostMessageW(std::get<2>(next), kGlyphReady, 0, 0);
          if (Worker::Stopped(stop)) return;
        }
      }
    });
  }
  std::lock_guard lock(shared_->mutex);
  shared_->asked.emplace_back(key, std::move(draw), waiting);
  SetEvent(shared_->wake.get());
}

std::map<GlyphCache::Key, GlyphCache::Drawn> GlyphCache::Loader::TakeLoaded() {
  if (!shared_) return {};
  std::lock_guard lock(shared_->mutex);
  return std::exchange(shared_->loaded, {});
}

GlyphCache::Drawn GlyphCache::DrawFile(const core::GlyphSource& source, bool small, UINT dpi, bool dimmed) {
  QuietErrors quiet;  // also while the icon is read
  const auto [size, written] = StampOf(source.file);
  return {size, written, std::make_shared<const Glyph>(DrawIconGlyph(source, small, dpi, dimmed))};
}

// A UNC path, or a drive that is not a fixed one (network, removable, optical): a read
// there may wait on a server or a drive. The drive's kind is known without reading it,
// and remembered until drives come or go.
bool GlyphCache::OnSlowDrive(const std::string& file) {
  std::wstring path = SystemPath(file);
  switch (PlaceOf(path)) {
    case Place::kUnc: return true;
    case Place::kOther: return false;
    case Place::kDrive: break;
  }
  std::optional<bool>& slow = slowDrives_[static_cast<size_t>(towupper(path[0]) - L'A')];
  if (!slow) {
    static const WinFileProbe system;
    const core::FileProbe& drives = drives_ ? *drives_ : system;
    slow = !core::IsQuickDrive(drives.KindOfDrive(static_cast<char>(towupper(path[0]))));
  }
  return *slow;
}

void GlyphCache::Keep(const Key& key, const Drawn& drawn) {
  // A folder's write time changes whenever a file in it comes or goes: keeping every
  // version's glyph would fill the cache with glyphs that are never shown again.
  if (!glyphs_.contains(key) && glyphs_.size() >= kMostGlyphs) glyphs_.clear();
  glyphs_[key] = drawn;
}

std::shared_ptr<const Glyph> GlyphCache::Loaded(const Key& key, const std::function<std::function<Drawn()>()>& draw,
                                                const std::function<Glyph()>& blank, HWND waiting) {
  for (auto& [drawnKey, drawn] : loader_.TakeLoaded()) {
    asked_.erase(drawnKey);
    Keep(drawnKey, drawn);
  }
  if (auto found = glyphs_.find(key); found != glyphs_.end()) return found->second.glyph;
  if (asked_.insert(key).second) loader_.Request(key, draw(), waiting);
  return std::make_shared<const Glyph>(blank());
}

std::shared_ptr<const Glyph> GlyphCache::Get(const core::GlyphSource& source, bool small, UINT dpi, bool dimmed,
                                             HWND waiting) {
  // A glyph is drawn in the face's colour (its transparent one) and the text's (the
  // globe): whichever window paints first after they change gets glyphs drawn anew.
  if (const Colours now{GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT)}; now != colours_) {
    glyphs_.clear();
    colours_ = now;
  }
  Key key{source.file, source.index, source.useShellIcon, small, dpi, dimmed};
  if (source.useShellIcon && core::KindOfTarget(source.file) != core::TargetKind::kFile) {
    // Where an address's icon comes from is asked here, on the window's thread.
    auto draw = [&]() -> std::function<Drawn()> {
      return [where = IconSourceOf(source.file), small, dpi, dimmed] {
        UniqueHicon icon = TargetIcon(where, IconSize{small, dpi});
        return Drawn{-1, -1, std::make_shared<const Glyph>(DrawTargetGlyph(icon.get(), small, dpi, dimmed))};
      };
    };
    return Loaded(
        key, draw, [&] { return DrawTargetGlyph(nullptr, small, dpi, dimmed); }, waiting);
  }
  if (OnSlowDrive(source.file)) {
    auto draw = [&]() -> std::function<Drawn()> {
      return [source, small, dpi, dimmed, draw = drawFile_] { return draw(source, small, dpi, dimmed); };
    };
    return Loaded(
        key, draw, [&] { return DrawIconGlyph({}, small, dpi); }, waiting);
  }
  QuietErrors quiet;                                  // also while the icon is read below
  const auto [size, written] = StampOf(source.file);  // no file: a blank glyph, kept until one appears
  auto found = glyphs_.find(key);
  if (found != glyphs_.end() && found->second.size == size && found->second.written == written)
    return found->second.glyph;
  const Drawn drawn{size, written, std::make_shared<const Glyph>(DrawIconGlyph(source, small, dpi, dimmed))};
  Keep(key, drawn);
  return drawn.glyph;
}

GlyphCache& Glyphs() {
  static GlyphCache cache;
  return cache;
}

}  // namespace win32
