#pragma once

#include <string>

#include "storage/settings_file.h"

namespace core {

// What the options dialog asks of the launcher.
class OptionHost {
 public:
  virtual ~OptionHost() = default;
  // The current user's options, as the window uses them.
  virtual const Options& CurrentOptions() const = 0;
  // Stores them as the current user's; when that worked, applies them (colour, tray
  // icon, hot key). False, with the error shown, when they could not be stored.
  virtual bool ApplyOptions(const Options& options) = 0;
  // Where the sound chooser starts the first time.
  virtual std::string ToDir() const = 0;
  // The wav file a start plays, which a chosen sound replaces.
  virtual std::string StartSoundPath() const = 0;
};

}  // namespace core
