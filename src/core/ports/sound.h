#pragma once

#include <string>

namespace core {

class Sound {
 public:
  virtual ~Sound() = default;
  // Starts playing a sound file and returns at once; a missing file is the
  // platform's business (its default sound, or silence).
  virtual void PlayAsync(const std::string& path) = 0;
};

}  // namespace core
