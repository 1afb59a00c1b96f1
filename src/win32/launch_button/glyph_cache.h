#pragma once

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "base/worker.h"
#include "launch_button/icon_glyph.h"

namespace win32 {

// Posted to a control that asked for the glyph of an address or a shell name once its
// icon is there: the control asks again and gets it.
inline constexpr UINT kGlyphReady = WM_APP + 0x47;

// Glyphs drawn before, so that moving between pages does not read the same icons again
// (the slowest part of a page load). A glyph stays valid while its file keeps its size
// and write time; the glyph of a changed file takes the old one's place. A change of
// the system colours drops them all.
//
// The icons of addresses and shell names are looked up on a thread of their own (the
// shell may take its time over them): until one is there the glyph is a globe, and
// the control named as waiting hears kGlyphReady.
class GlyphCache {
 public:
  std::shared_ptr<const Glyph> Get(const core::GlyphSource& source, bool small, UINT dpi, bool dimmed = false,
                                   HWND waiting = nullptr);
  void Clear() { glyphs_.clear(); }
  size_t Size() const { return glyphs_.size(); }
  // Ends the lookups (the program's end); an icon asked for later is looked up anew.
  void StopLoading() { loader_.Stop(); }

 private:
  // source file, index, shell icon, small, dpi, dimmed
  using Key = std::tuple<std::string, int, bool, bool, UINT, bool>;
  struct Drawn {
    long long size = -1, written = -1;  // of the file when its glyph was drawn
    std::shared_ptr<const Glyph> glyph;
  };
  using Target = std::pair<std::string, bool>;  // address or shell name, small
  using Icon = std::shared_ptr<UniqueHicon>;    // holds no icon when the system gave none

  class Loader {
   public:
    void Request(const Target& target, HWND waiting);
    std::map<Target, Icon> TakeLoaded();
    void Stop() { worker_.Stop(); }

   private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    Worker worker_;
  };

  std::shared_ptr<const Glyph> TargetGlyph(const core::GlyphSource& source, bool small, UINT dpi, bool dimmed,
                                           HWND waiting);

  std::map<Key, Drawn> glyphs_;
  std::map<Target, Icon> icons_;
  Loader loader_;
};

GlyphCache& Glyphs();

}  // namespace win32
