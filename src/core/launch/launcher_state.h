#pragma once

#include <string>

namespace core {

// The values the launcher window holds and the dialogs read and change.
struct LauncherState {
  int UserNo = 1;
  std::string UserName;
  int PageNo = 1;
  int PageNoControl = 1;
  std::string CaptionText;
  std::string PageFilePath;
  std::string ToDir;
  std::string StartSoundPath;

  // Options of the current user, named after their settings keys.
  int Mouse = 0;
  int Tray = 1;
  int Hot = 0;
  int Shift = 0;
  int Ctrl = 0;
  int Alt = 1;
  std::string HotKey = "Alt+A";
  int Key = 40;
  int FormColor = 0;
  bool BtnClk = false;
  bool TitleDbClk = false;
  bool Sound = false;
};

}  // namespace core
