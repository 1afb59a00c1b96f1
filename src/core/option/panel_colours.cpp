#include "option/panel_colours.h"

namespace core {
namespace {

using Kind = PanelColour::Kind;

struct Entry {
  const char* name;
  PanelColour colour;
};

const Entry kColours[kPanelColourCount] = {
    {"標準色", {Kind::kButtonFace, {}}},        {"Silver", {Kind::kFixed, {192, 192, 192}}},
    {"Lime", {Kind::kFixed, {0, 255, 0}}},      {"Yellow", {Kind::kFixed, {255, 255, 0}}},
    {"Fuchsia", {Kind::kFixed, {255, 0, 255}}}, {"Aqua", {Kind::kFixed, {0, 255, 255}}},
    {"White", {Kind::kFixed, {255, 255, 255}}}, {"SkyBlue", {Kind::kFixed, {166, 202, 240}}},
    {"Cream", {Kind::kFixed, {255, 251, 240}}}, {"背景色", {Kind::kDesktop, {}}},
};

bool InRange(int formColor) { return formColor >= 0 && formColor < kPanelColourCount; }

}  // namespace

std::optional<PanelColour> PanelColourOf(int formColor) {
  if (!InRange(formColor)) return std::nullopt;
  return kColours[formColor].colour;
}

const char* PanelColourName(int formColor) { return InRange(formColor) ? kColours[formColor].name : ""; }

void ColorChange(PanelColourTarget& form, int formColor) {
  if (auto colour = PanelColourOf(formColor)) form.SetPanelColour(*colour);
}

}  // namespace core
