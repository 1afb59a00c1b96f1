#pragma once

#include <optional>
#include <string>

#include "geometry.h"
#include "storage/ini_image.h"

namespace core {

// The options of one user, named after their keys, with the values of a user who has
// none stored.
struct Options {
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
  friend bool operator==(const Options&, const Options&) = default;
};

// "User" followed by n: the default name of user n and the section of user n.
std::string UserKey(int n);

// The settings file as values: the window's position and the current user, and per
// user n its name, page, page count, backup folder and options. The one place that
// knows the file's sections, keys and defaults. It reads and writes only the keys
// asked for, in the order asked, and keeps every other line of the file as it was, so
// each operation writes exactly the keys it always wrote.
class SettingsFile {
 public:
  SettingsFile() = default;
  explicit SettingsFile(IniImage image) : image_(std::move(image)) {}
  const IniImage& Image() const { return image_; }

  // Never left of or above the screen's origin.
  ScreenPoint Position() const;
  void SetPosition(ScreenPoint position);
  int UserNo() const;
  void SetUserNo(int n);

  // The stored name of user n, or UserKey(n) when none is stored.
  std::string UserName(int n) const;
  void SetUserName(int n, const std::string& name);
  void ForgetUserName(int n);
  int PageNo(int n) const;
  void SetPageNo(int n, int page);
  void ForgetPageNo(int n);
  int PageCount(int n) const;
  void SetPageCount(int n, int count);
  void ForgetPageCount(int n);
  // Nothing when no folder is stored.
  std::optional<std::string> ToDir(int n) const;
  void SetToDir(int n, const std::string& folder);
  Options OptionsOf(int n) const;
  // All twelve, in the file's order of them.
  void SetOptions(int n, const Options& options);

 private:
  IniImage image_;
};

}  // namespace core
