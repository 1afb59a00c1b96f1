#pragma once

#include "ports/sound.h"

namespace win32 {

class WinSound final : public core::Sound {
 public:
  void PlayAsync(const std::string& path) override;
};

}  // namespace win32
