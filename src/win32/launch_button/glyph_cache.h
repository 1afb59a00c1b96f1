#pragma once

#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "launch_button/icon_glyph.h"

namespace win32 {

// Glyphs drawn before, so that moving between pages does not read the same icons again
// (the slowest part of a page load). A glyph stays valid while its file keeps its size
// and write time; a change of the system colours drops them all.
class GlyphCache {
 public:
  std::shared_ptr<const Glyph> Get(const core::GlyphSource& source, bool small, UINT dpi, bool dimmed = false);
  void Clear() { glyphs_.clear(); }

 private:
  // source file, index, shell icon, small, dpi, dimmed, file size, file write time
  using Key = std::tuple<std::string, int, bool, bool, UINT, bool, long long, long long>;
  std::map<Key, std::shared_ptr<const Glyph>> glyphs_;
};

GlyphCache& Glyphs();

}  // namespace win32
