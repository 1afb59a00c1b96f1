#pragma once

#include <optional>

#include "launch_button/launch_button.h"

namespace core {

// A window's background: a fixed colour, or one of two system colours that the window
// follows when the system changes them.
struct PanelColour {
  enum class Kind { kButtonFace, kDesktop, kFixed };
  Kind kind = Kind::kButtonFace;
  Rgb rgb;
  friend bool operator==(const PanelColour&, const PanelColour&) = default;
};

inline constexpr int kPanelColourCount = 10;

// The colour of a FormColor value; nothing outside 0..9.
std::optional<PanelColour> PanelColourOf(int formColor);
// Its text in the options dialog's colour list.
const char* PanelColourName(int formColor);

// A window that takes the panel colour.
class PanelColourTarget {
 public:
  virtual ~PanelColourTarget() = default;
  virtual void SetPanelColour(const PanelColour& colour) = 0;
};

// Paints a window in the colour of FormColor; a value outside 0..9 leaves it as it is.
void ColorChange(PanelColourTarget& form, int formColor);

}  // namespace core
