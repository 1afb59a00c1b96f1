#include "launch/page_file.h"

#include <algorithm>

namespace core {
namespace {

constexpr char kPageTitle[] = "PageTitle";  // the section and its one key
// Section "Button" + k: button k.
constexpr char kPath[] = "ProgPath";
constexpr char kTitle[] = "ProgTitle";
constexpr char kDir[] = "ProgDir";
constexpr char kState[] = "ProgState";
constexpr char kOption[] = "ProgOption";
constexpr char kIconPath[] = "IconPath";
constexpr char kIconNo[] = "IconNo";
constexpr char kIconSmall[] = "IsIconSmall";
constexpr char kHotKey[] = "HotKey";
constexpr char kSwitchIfRunning[] = "SwitchIfRunning";
constexpr char kStartDelay[] = "StartDelay";
constexpr char kFolderMenu[] = "FolderMenu";
// Section "PageLaunch": how the page launch starts the page's buttons.
constexpr char kPageLaunch[] = "PageLaunch";
constexpr char kInOrder[] = "InOrder";
// The text a key holds for no key.
constexpr char kNoKey[] = "(なし)";

// The stored start state counts differently from TProgState: 1 is maximised, 2 minimised.
constexpr int kStoredNormal = 0;
constexpr int kStoredMaximized = 1;
constexpr int kStoredMinimized = 2;

std::string ButtonSection(int k) { return "Button" + std::to_string(k); }

void WriteOrDelete(IniImage& ini, const std::string& section, const char* key, const std::string& value) {
  if (value.empty())
    ini.DeleteKey(section, key);
  else
    ini.WriteString(section, key, value);
}

// A flag is written only when set: "1", else no key.
void WriteFlag(IniImage& ini, const std::string& section, const char* key, bool on) {
  if (on)
    ini.WriteString(section, key, "1");
  else
    ini.DeleteKey(section, key);
}

}  // namespace

std::string PageFile::Title() const { return image_.ReadString(kPageTitle, kPageTitle, ""); }

void PageFile::SetTitle(const std::string& title) { image_.WriteString(kPageTitle, kPageTitle, title); }

ButtonEntry PageFile::Button(int k) const {
  const std::string section = ButtonSection(k);
  ButtonEntry entry;
  entry.title = image_.ReadString(section, kTitle, "");
  entry.dir = image_.ReadString(section, kDir, "");
  switch (image_.ReadInteger(section, kState, kStoredNormal)) {
    case kStoredNormal: entry.state = TProgState::psNormal; break;
    case kStoredMaximized: entry.state = TProgState::psMaximized; break;
    case kStoredMinimized: entry.state = TProgState::psMinimized; break;
    default: entry.state = std::nullopt; break;
  }
  entry.option = image_.ReadString(section, kOption, "");
  entry.iconPath = image_.ReadString(section, kIconPath, "");
  entry.iconNo = image_.ReadInteger(section, kIconNo, 0);
  entry.isIconSmall = image_.ReadBool(section, kIconSmall, false);
  entry.hotKey = image_.ReadString(section, kHotKey, "");
  if (entry.hotKey == kNoKey) entry.hotKey.clear();
  entry.switchIfRunning = image_.ReadBool(section, kSwitchIfRunning, false);
  entry.startDelay = std::clamp(image_.ReadInteger(section, kStartDelay, 0), 0, kLongestStartDelay);
  entry.folderMenu = image_.ReadBool(section, kFolderMenu, false);
  entry.path = image_.ReadString(section, kPath, "");
  return entry;
}

void PageFile::SetButton(int k, const ButtonEntry& entry) {
  const std::string section = ButtonSection(k);
  image_.WriteString(section, kPath, entry.path);
  WriteOrDelete(image_, section, kTitle, entry.title);
  WriteOrDelete(image_, section, kDir, entry.dir);
  if (entry.state == TProgState::psMaximized)
    image_.WriteInteger(section, kState, kStoredMaximized);
  else if (entry.state == TProgState::psMinimized)
    image_.WriteInteger(section, kState, kStoredMinimized);
  else
    image_.DeleteKey(section, kState);
  WriteOrDelete(image_, section, kOption, entry.option);
  WriteOrDelete(image_, section, kIconPath, entry.iconPath);
  if (entry.iconNo != 0)
    image_.WriteInteger(section, kIconNo, entry.iconNo);
  else
    image_.DeleteKey(section, kIconNo);
  WriteFlag(image_, section, kIconSmall, entry.isIconSmall);
  WriteOrDelete(image_, section, kHotKey, entry.hotKey);
  WriteFlag(image_, section, kSwitchIfRunning, entry.switchIfRunning);
  if (entry.startDelay != 0)
    image_.WriteInteger(section, kStartDelay, entry.startDelay);
  else
    image_.DeleteKey(section, kStartDelay);
  WriteFlag(image_, section, kFolderMenu, entry.folderMenu);
}

bool PageFile::InOrder() const { return image_.ReadBool(kPageLaunch, kInOrder, false); }

// Off, the section goes: a page never set to start in order holds none.
void PageFile::SetInOrder(bool inOrder) {
  if (inOrder)
    image_.WriteString(kPageLaunch, kInOrder, "1");
  else
    image_.EraseSection(kPageLaunch);
}

bool PageFile::HoldsProgram(int k) const { return !image_.ReadString(ButtonSection(k), kPath, "").empty(); }

Page PageFile::ToPage() const {
  Page page;
  page.title = Title();
  for (int k = 1; k <= kLaunchButtonCount; ++k) page.buttons[static_cast<size_t>(k - 1)] = Button(k);
  return page;
}

}  // namespace core
