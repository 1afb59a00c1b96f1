#pragma once

#include <cstdint>
#include <memory>

#include "launch_button/button_entry.h"
#include "launch_button/button_settings_dlg.h"

namespace core {

// A button that is not on the screen: one of a page not shown, whose own key was
// pressed, or one of a page started in order, as the page was when the run began. It
// starts as a shown button does, through the same activation, and shows nothing.
class DetachedButton {
 public:
  // `owner`: the window that owns what it starts.
  DetachedButton(int k, const ButtonEntry& entry, LaunchButtonHost& host, const LaunchButtonPorts& ports,
                 std::uintptr_t owner)
      : view_(owner), button_("LaunchButton" + std::to_string(k), view_, host, ports) {
    ShowEntry(button_, entry, true);
  }
  TLaunchButton& Button() { return button_; }

 private:
  class NoView final : public LaunchButtonView {
   public:
    explicit NoView(std::uintptr_t owner) : owner_(owner) {}
    void SetHint(const std::string&) override {}
    void SetAccessibleName(const std::string&) override {}
    void Repaint() override {}
    void DrawGlyph(const GlyphSource&, bool) override {}
    void RemoveGlyph() override {}
    void SetDimmed(bool) override {}
    void SetRunning(bool) override {}
    void Flash() override {}
    void AcceptFiles(bool) override {}
    std::uintptr_t NativeHandle() const override { return owner_; }
    std::unique_ptr<ButtonSettingsView> CreateSettingsView() override { return nullptr; }

   private:
    std::uintptr_t owner_;
  };

  NoView view_;
  TLaunchButton button_;
};

}  // namespace core
