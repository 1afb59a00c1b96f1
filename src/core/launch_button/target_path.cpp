#include "launch_button/target_path.h"

#include <algorithm>
#include <vector>

#include "launch_button/path_text.h"

namespace core {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) { return Upper(a) == Upper(b); });
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && StartsWithNoCase(text.substr(text.size() - suffix.size()), suffix);
}

bool IsDriveRoot(std::string_view root) { return root.size() == 2 && IsLetter(root[0]) && root[1] == ':'; }

// The root of an absolute path: "X:" or "\\server\share"; empty when it has none.
std::string_view RootOf(std::string_view path) {
  if (path.size() >= 2 && IsLetter(path[0]) && path[1] == ':') return path.substr(0, 2);
  if (path.size() < 2 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return {};
  size_t server = 2;
  while (server < path.size() && !IsSeparator(path[server])) ++server;
  size_t share = server + 1;
  while (share < path.size() && !IsSeparator(path[share])) ++share;
  return path.substr(0, std::min(share, path.size()));
}

// The root, then the folders of `below` and of `relative`, "." and ".." worked out
// ("..": never above the root).
std::string Joined(std::string_view root, std::string_view below, std::string_view relative) {
  std::vector<std::string_view> parts;
  auto add = [&parts](std::string_view text) {
    size_t start = 0;
    while (start <= text.size()) {
      size_t end = start;
      while (end < text.size() && !IsSeparator(text[end])) ++end;
      std::string_view part = text.substr(start, end - start);
      if (part == "..") {
        if (!parts.empty()) parts.pop_back();
      } else if (!part.empty() && part != ".") {
        parts.push_back(part);
      }
      start = end + 1;
    }
  };
  add(below);
  add(relative);
  std::string path(root);
  for (std::string_view part : parts) (path += '\\') += part;
  if (parts.empty()) path += '\\';
  return path;
}

std::string InFolder(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && !IsSeparator(path.back())) path += '\\';
  return path + std::string(name);
}

struct Located {
  std::string path;
  bool found = false;
};

// Steps 2 and 3 on an expanded path: the first place that holds something, else the
// path as it is.
Located Locate(const std::string& path, const FileProbe& probe, std::string_view programFolder,
               std::string_view workingFolder) {
  const std::string_view root = RootOf(programFolder);
  auto at = [&probe](std::string candidate) -> std::optional<Located> {
    if (!probe.Exists(candidate)) return std::nullopt;
    return Located{std::move(candidate), true};
  };
  std::optional<Located> found;
  switch (FormOfPath(path)) {
    case PathForm::kDrive:
      found = at(path);
      // A UNC program folder has no drive to offer.
      if (!found && IsDriveRoot(root) && Upper(root[0]) != Upper(path[0]))
        found = at(std::string(root) + path.substr(2));
      break;
    case PathForm::kUnc: found = at(path); break;
    case PathForm::kRelative:
      if (!root.empty()) found = at(Joined(root, programFolder.substr(root.size()), path));
      break;
    case PathForm::kRooted:
      if (!root.empty()) found = at(Joined(root, "", path));
      break;
    case PathForm::kBareName:
      if (!workingFolder.empty() && probe.Exists(InFolder(workingFolder, path))) return {path, true};
      if (!root.empty()) found = at(InFolder(programFolder, path));
      break;
    case PathForm::kEmpty:
    case PathForm::kOther: break;
  }
  return found ? *found : Located{path, false};
}

std::string Expanded(const std::string& stored, const Environment& environment) {
  return ExpandVariables(stored, [&environment](const std::string& name) { return environment.Variable(name); });
}

bool IsQuickRoot(std::string_view root, const FileProbe& probe) {
  if (IsDriveRoot(root)) return IsQuickDrive(probe.KindOfDrive(Upper(root[0])));
  return root.empty();  // a UNC root may sleep; no root at all touches nothing
}

}  // namespace

StartPaths ForElevatedStart(StartPaths start, const FileProbe& probe) {
  for (std::string* path : {&start.file, &start.directory}) {
    if (!IsDriveRoot(RootOf(*path)) || probe.KindOfDrive(Upper((*path)[0])) != DriveKind::kNetwork) continue;
    if (std::optional<std::string> network = probe.NetworkPath(*path)) *path = *network;
  }
  return start;
}

std::string ProgramFolderOf(std::string_view executablePath) {
  size_t end = executablePath.size();
  while (end > 0 && !IsSeparator(executablePath[end - 1])) --end;
  return std::string(executablePath.substr(0, end > 0 ? end - 1 : 0));
}

std::string ExpandVariables(std::string_view text, const VariableLookup& lookup) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    size_t open = text.find('%', i);
    out += text.substr(i, open == std::string_view::npos ? std::string_view::npos : open - i);
    if (open == std::string_view::npos) break;
    size_t close = text.find('%', open + 1);
    if (close == std::string_view::npos) {
      out += text.substr(open);
      break;
    }
    std::string name(text.substr(open + 1, close - open - 1));
    std::optional<std::string> value = name.empty() ? std::nullopt : lookup(name);
    out += value ? std::string_view(*value) : text.substr(open, close - open + 1);
    i = close + 1;
  }
  return out;
}

PathForm FormOfPath(std::string_view path) {
  if (path.empty()) return PathForm::kEmpty;
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) return PathForm::kUnc;
  if (path.size() >= 2 && IsLetter(path[0]) && path[1] == ':')
    return path.size() >= 3 && IsSeparator(path[2]) ? PathForm::kDrive : PathForm::kOther;
  // Anywhere else a ":" is no part of a file name: http:, mailto:, shell:, ::{...}.
  if (path.find(':') != std::string_view::npos) return PathForm::kOther;
  if (IsSeparator(path[0])) return PathForm::kRooted;
  if (path == "." || path == "..") return PathForm::kRelative;
  for (char c : path)
    if (IsSeparator(c)) return PathForm::kRelative;
  return PathForm::kBareName;
}

std::string ResolvePath(const std::string& stored, const PathPorts& ports) {
  return Locate(Expanded(stored, ports.environment), ports.probe, ProgramFolderOf(ports.environment.ExecutablePath()),
                {})
      .path;
}

TargetKind KindOfTarget(std::string_view stored) {
  if (StartsWithNoCase(stored, "shell:") || stored.starts_with("::{")) return TargetKind::kShellName;
  const size_t colon = stored.find(':');
  if (colon == std::string_view::npos || colon < 2) return TargetKind::kFile;
  for (char c : stored.substr(0, colon))
    if (!IsLetter(c) && !IsDigit(c) && c != '+' && c != '-' && c != '.') return TargetKind::kFile;
  return TargetKind::kAddress;
}

bool IsPackagedApp(std::string_view stored) {
  return StartsWithNoCase(stored, "shell:AppsFolder\\") && stored.find('!') != std::string_view::npos;
}

bool CanStartElevated(std::string_view stored) {
  return KindOfTarget(stored) != TargetKind::kAddress && !EndsWithNoCase(stored, ".url") && !IsPackagedApp(stored);
}

std::string HostOf(std::string_view address) {
  const size_t colon = address.find(':');
  if (colon == std::string_view::npos || address.substr(colon + 1, 2) != "//") return {};
  std::string_view rest = address.substr(colon + 3);
  rest = rest.substr(0, rest.find_first_of("/?#\\"));
  if (size_t at = rest.rfind('@'); at != std::string_view::npos) rest = rest.substr(at + 1);
  if (rest.starts_with('[')) return std::string(rest.substr(0, rest.find(']') + 1));  // IPv6, colons and all
  rest = rest.substr(0, rest.find(':'));
  // steam://rungameid/440 names a command, not a host.
  if (rest.find('.') == std::string_view::npos && rest != "localhost") return {};
  return std::string(rest);
}

NewButtonNames NamesOfNewButton(const std::string& stored,
                                const std::function<std::string(const std::string&)>& displayName) {
  switch (KindOfTarget(stored)) {
    case TargetKind::kFile: return {FileTitle(stored), ExtractFileDir(stored)};
    case TargetKind::kShellName: {
      std::string name = displayName(stored);
      return {name.empty() ? stored : std::move(name), {}};
    }
    case TargetKind::kAddress: break;
  }
  std::string host = HostOf(stored);
  return {host.empty() ? stored : std::move(host), {}};
}

StartPaths ResolveStart(const std::string& path, const std::string& directory, const PathPorts& ports) {
  StartPaths start;
  start.directory = ResolvePath(directory, ports);
  if (KindOfTarget(path) != TargetKind::kFile) {  // the shell's, as stored
    start.file = path;
    return start;
  }
  const std::string& working = start.directory.empty() ? ports.environment.CurrentDirectory() : start.directory;
  start.file = Locate(Expanded(path, ports.environment), ports.probe,
                      ProgramFolderOf(ports.environment.ExecutablePath()), working)
                   .path;
  return start;
}

bool IsQuickDrive(DriveKind kind) {
  return kind == DriveKind::kFixed || kind == DriveKind::kRamDisk || kind == DriveKind::kAbsent;
}

TargetCheck PlanTargetCheck(const std::string& stored, const PathPorts& ports) {
  TargetCheck check{CheckTime::kNever, false, Expanded(stored, ports.environment),
                    ProgramFolderOf(ports.environment.ExecutablePath())};
  if (KindOfTarget(stored) != TargetKind::kFile) {
    if (!IsPackagedApp(stored)) return check;
    check = {CheckTime::kAway, true, stored, {}};  // the shell may take its time
    return check;
  }
  const std::string_view root = RootOf(check.programFolder);
  const FileProbe& probe = ports.probe;
  bool quick = false;
  switch (FormOfPath(check.expanded)) {
    case PathForm::kDrive: {
      quick = IsQuickDrive(probe.KindOfDrive(Upper(check.expanded[0])));
      // The program's own drive is looked at too when the path's drive lacks the file.
      bool otherDrive = IsDriveRoot(root) && Upper(root[0]) != Upper(check.expanded[0]);
      if (otherDrive) quick = quick && IsQuickRoot(root, probe);
      break;
    }
    case PathForm::kUnc: quick = false; break;
    case PathForm::kRelative:
    case PathForm::kRooted:
      if (root.empty()) return check;
      quick = IsQuickRoot(root, probe);
      break;
    case PathForm::kEmpty:
    case PathForm::kBareName:
    case PathForm::kOther: return check;
  }
  check.when = quick ? CheckTime::kNow : CheckTime::kAway;
  return check;
}

bool TargetMissing(const TargetCheck& check, const FileProbe& probe) {
  if (check.shellItem) return !probe.ShellItemExists(check.expanded);
  return check.when != CheckTime::kNever && !Locate(check.expanded, probe, check.programFolder, {}).found;
}

}  // namespace core
