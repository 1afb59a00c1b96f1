#include "launch_button/button_entry.h"

namespace core {

int ShowCommandOf(TProgState state) {
  switch (state) {
    case TProgState::psMinimized: return kShowMinimized;
    case TProgState::psMaximized: return kShowMaximized;
    case TProgState::psNormal: break;
  }
  return kShowNormal;
}

ButtonEntry EmptiedEntry(const ButtonEntry& entry) {
  ButtonEntry emptied;
  emptied.isIconSmall = entry.isIconSmall;
  return emptied;
}

bool OffersFolderMenu(const ButtonEntry& entry) {
  return entry.folderMenu && !entry.Empty() && KindOfTarget(entry.path) == TargetKind::kFile;
}

StartPaths StartPathsOf(const ButtonEntry& entry, const PathPorts& ports) {
  return ResolveStart(entry.path, entry.dir, ports);
}

ShellRequest StartRequestOf(const ButtonEntry& entry, std::uintptr_t owner, bool elevated, const PathPorts& ports) {
  StartPaths start = StartPathsOf(entry, ports);
  if (elevated) start = ForElevatedStart(std::move(start), ports.probe);
  return {owner,        "open",          start.file,
          entry.option, start.directory, ShowCommandOf(entry.state.value_or(TProgState::psNormal)),
          elevated};
}

}  // namespace core
