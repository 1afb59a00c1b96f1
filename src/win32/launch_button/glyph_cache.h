#pragma once

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "base/worker.h"
#include "launch_button/icon_glyph.h"
#include "ports/file_probe.h"

namespace win32 {

// Posted to a control that asked for a glyph drawn away from the window once it is
// there: the control asks again and gets it.
inline constexpr UINT kGlyphReady = WM_APP + 0x47;

// Glyphs drawn before, so that moving between pages does not read the same icons again
// (the slowest part of a page load). A glyph stays valid while its file keeps its size
// and write time; the glyph of a changed file takes the old one's place. A change of
// the system colours they are drawn in drops them all.
//
// What may keep the window's thread waiting is drawn on a thread of its own: the icons
// of addresses and shell names (the shell may take its time over them), and of files
// on a network or removable drive (a server that has gone keeps each read waiting for
// the network's timeout). Until one is there the glyph is a globe, or a blank face for
// a file, and the control named as waiting hears kGlyphReady. A file so drawn is not
// looked at again on the window's thread: its glyph stays until the cache is emptied.
class GlyphCache {
 public:
  // Draws the glyph of a file on a slow drive on the loader's thread, with the file's
  // size and write time (-1, -1 when there is none); the seam by which a test makes
  // that drive slow.
  struct Drawn {
    long long size = -1, written = -1;
    std::shared_ptr<const Glyph> glyph;
  };
  using FileDrawing = std::function<Drawn(const core::GlyphSource&, bool small, UINT dpi, bool dimmed)>;
  static Drawn DrawFile(const core::GlyphSource& source, bool small, UINT dpi, bool dimmed);

  explicit GlyphCache(FileDrawing drawFile = DrawFile) : drawFile_(std::move(drawFile)) {}

  std::shared_ptr<const Glyph> Get(const core::GlyphSource& source, bool small, UINT dpi, bool dimmed = false,
                                   HWND waiting = nullptr);
  void Clear() { glyphs_.clear(); }
  size_t Size() const { return glyphs_.size(); }
  // Ends the lookups (the program's end); a glyph asked for later is drawn anew.
  void StopLoading() { loader_.Stop(); }
  void SetFileDrawing(FileDrawing drawFile) { drawFile_ = std::move(drawFile); }
  // What tells the kinds of drives (the system, when none is set); it must outlive its use.
  void SetDriveProbe(const core::FileProbe* drives) {
    drives_ = drives;
    ForgetDrives();
  }
  // Drives came or went: their kinds are asked again.
  void ForgetDrives() { slowDrives_ = {}; }

 private:
  // source file, index, shell icon, small, dpi, dimmed
  using Key = std::tuple<std::string, int, bool, bool, UINT, bool>;
  using Colours = std::pair<COLORREF, COLORREF>;  // button face, button text

  // Draws what is asked on its thread, one at a time, in the order asked.
  class Loader {
   public:
    void Request(const Key& key, std::function<Drawn()> draw, HWND waiting);
    std::map<Key, Drawn> TakeLoaded();
    void Stop() { worker_.Stop(); }

   private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    Worker worker_;
  };

  // The glyph once the loader has drawn it; what `blank` draws until then.
  // `draw` is made only when the glyph is asked of the loader, on this thread.
  std::shared_ptr<const Glyph> Loaded(const Key& key, const std::function<std::function<Drawn()>()>& draw,
                                      const std::function<Glyph()>& blank, HWND waiting);
  void Keep(const Key& key, const Drawn& drawn);
  bool OnSlowDrive(const std::string& file);

  FileDrawing drawFile_;
  const core::FileProbe* drives_ = nullptr;
  std::array<std::optional<bool>, 26> slowDrives_;  // by letter, as last asked
  std::map<Key, Drawn> glyphs_;
  std::set<Key> asked_;  // given to the loader, not yet taken back
  Colours colours_{CLR_INVALID, CLR_INVALID};
  Loader loader_;
};

GlyphCache& Glyphs();

}  // namespace win32
