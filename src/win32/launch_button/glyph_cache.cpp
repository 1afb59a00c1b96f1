#include "launch_button/glyph_cache.h"

#include "base/shell_path.h"
#include "base/win_file_probe.h"

namespace win32 {
namespace {

constexpr size_t kMostGlyphs = 400;

}  // namespace

std::shared_ptr<const Glyph> GlyphCache::Get(const core::GlyphSource& source, bool small, UINT dpi, bool dimmed) {
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
