#pragma once

#include "copy/copy_operations.h"
#include "find/find_box_host.h"
#include "list/list_host.h"
#include "option/option_host.h"
#include "ports/environment.h"
#include "ports/failure_log.h"
#include "ports/file_probe.h"
#include "ports/prompter.h"
#include "ports/shell.h"
#include "ports/sound.h"
#include "storage/file_system.h"
#include "storage/text_codec.h"
#include "user/user_operations.h"

namespace core {

// The platform services the launcher uses.
struct LauncherPorts {
  FileSystem& files;
  const CodePage& codePage;
  Prompter& prompter;
  Shell& shell;
  const Environment& environment;
  Sound& sound;
  const FileProbe& probe;
  FailureLog& log;
};

// The dialogs that the launcher's menus and keys open. The window side makes them
// once the window has first shown; without them the commands do nothing.
class LauncherDialogs {
 public:
  virtual ~LauncherDialogs() = default;
  virtual void OpenPageList() = 0;
  virtual void OpenUsers() = 0;
  virtual void OpenOptions() = 0;
  virtual void OpenVersion(int formColor) = 0;
  virtual void OpenFindBox() = 0;
};

// What each dialog may ask of the launcher, and nothing more.
struct DialogHosts {
  PageListHost& list;
  UserOperations& users;
  CopyOperations& copy;
  OptionHost& options;
  FindBoxHost& find;
};

}  // namespace core
