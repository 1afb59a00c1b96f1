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
  Key key{source.file, source.index, source.useShellIcon, small, dpi, dimmed, size, written};
  auto found = glyphs_.find(key);
  if (found != glyphs_.end()) return found->second;
  if (glyphs_.size() >= kMostGlyphs) glyphs_.clear();
  auto glyph = std::make_shared<const Glyph>(DrawIconGlyph(source, small, dpi, dimmed));
  glyphs_.emplace(std::move(key), glyph);
  return glyph;
}

GlyphCache& Glyphs() {
  static GlyphCache cache;
  return cache;
}

}  // namespace win32
