#pragma once

#include <string>

#include "storage/settings_file.h"

namespace core {

// The values the launcher window holds and the dialogs read and change, with the
// current user's options.
struct LauncherState : Options {
  int UserNo = 1;
  std::string UserName;
  int PageNo = 1;
  int PageNoControl = 1;
  std::string CaptionText;
  std::string PageFilePath;
  std::string ToDir;
  std::string StartSoundPath;
};

}  // namespace core
