#pragma once

#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "launch_button/icon_glyph.h"

namespace win32 {

// Glyphs drawn before, so that moving between pages does not read the same icons again
// (the slowest part of a page load). A glyph stays valid while its file keeps its size
// and write time; the glyph of a changed file takes the old one's place. A change of
// the system colours drops them all.
class GlyphCache {
 public:
  std::shared_ptr<const Glyph> Get(const core::GlyphSource& source, bool small, UINT dpi, bool dimmed = false);
  void Clear() { glyphs_.clear(); }
  size_t Size() const { return glyphs_.size(); }

 private:
  // source file, index, shell icon, small, dpi, dimmed
  using Key = std::tuple<std::string, int, bool, bool, UINT, bool>;
  struct Drawn {
    long long size = -1, written = -1;  // of the file when its glyph was drawn
    std::shared_ptr<const Glyph> glyph;
  };
  std::map<Key, Drawn> glyphs_;
};

GlyphCache& Glyphs();

}  // namespace win32
