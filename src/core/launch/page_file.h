#pragma once

#include <array>
#include <string>

#include "launch_button/button_entry.h"
#include "storage/ini_image.h"

namespace core {

// What one page holds: its title and its ten buttons, entry k - 1 for button k.
struct Page {
  std::string title;
  std::array<ButtonEntry, kLaunchButtonCount> buttons;
};

// A page data file as values: the one place that knows its sections and keys. It
// reads and writes only what it is asked for and keeps every other line as it was.
class PageFile {
 public:
  PageFile() = default;
  explicit PageFile(IniImage image) : image_(std::move(image)) {}
  const IniImage& Image() const { return image_; }

  std::string Title() const;
  void SetTitle(const std::string& title);
  ButtonEntry Button(int k) const;
  // All the button's keys in their order; the empty ones are removed, except the path.
  void SetButton(int k, const ButtonEntry& entry);
  bool HoldsProgram(int k) const;
  // The page launch starts the buttons one after the other, each once the one before
  // shows its window.
  bool InOrder() const;
  void SetInOrder(bool inOrder);
  Page ToPage() const;

 private:
  IniImage image_;
};

}  // namespace core
