#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "base/win.h"

#include <shobjidl.h>

#include "base/com.h"
#include "base/handles.h"
#include "base/utf16.h"
#include "base/win_program_sources.h"
#include "launch/program_index_thread.h"
#include "support.h"

using core::InstalledProgram;
using core::ProgramPlace;
using testing_support::TempFolder;
using testing_support::WaitUntil;

namespace {

std::string BesideTheTests(const std::string& name) {
  std::string self = win32::Narrow(win32::ModulePath());
  return self.substr(0, self.rfind('\\') + 1) + name;
}

// A shortcut saved by the shell's own link object.
void MakeShortcut(const std::string& path, const std::string& target) {
  CreateDirectoryW(win32::Widen(path.substr(0, path.rfind('\\'))).c_str(), nullptr);
  win32::ComPtr<IShellLinkW> link;
  win32::ComPtr<IPersistFile> file;
  ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                            reinterpret_cast<void**>(link.put())));
  ASSERT_HRESULT_SUCCEEDED(link->SetPath(win32::Widen(target).c_str()));
  ASSERT_HRESULT_SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put())));
  ASSERT_HRESULT_SUCCEEDED(file->Save(win32::Widen(path).c_str(), TRUE));
}

}  // namespace

namespace core {
void PrintTo(const InstalledProgram& p, std::ostream* out) {
  *out << "{" << p.name << ", " << p.stored << ", " << static_cast<int>(p.place) << ", " << p.program << "}";
}
}  // namespace core

// The index of a user's Start menu and desktop (the test's own folders): shortcuts read
// by the shell, in subfolders too; programs, Internet shortcuts and unreadable
// shortcuts listed as they are; uninstallers, documents and other files left out; a
// program on both listed once, as the Start menu has it. Then a shortcut comes and a
// program goes, and a new index follows.
TEST(ProgramIndexThread, IndexesTheFoldersAndFollowsTheirChanges) {
  win32::ComApartment com;
  const auto system = win32::WinProgramSources().Folders();
  ASSERT_EQ(system.size(), 4u) << "the Start menu's and the desktops' folders of the user and of all users";
  for (size_t i = 0; i < system.size(); ++i) {
    EXPECT_EQ(system[i].place, static_cast<ProgramPlace>(i));
    EXPECT_EQ(system[i].path.substr(1, 2), ":\\") << system[i].path;
  }

  TempFolder t;
  const std::string programs = t.Path("Programs"), start = t.Path("Start"), desktop = t.Path("Desktop");
  const std::string recorder = BesideTheTests("recorder.exe");
  CreateDirectoryW(win32::Widen(programs).c_str(), nullptr);
  CreateDirectoryW(win32::Widen(desktop).c_str(), nullptr);
  for (const std::string& copy : {programs + "\\Editor.exe", programs + "\\ビューア.exe", programs + "\\unins000.exe",
                                  programs + "\\New.exe", desktop + "\\ZuTool.exe"})
    ASSERT_TRUE(CopyFileW(win32::Widen(recorder).c_str(), win32::Widen(copy).c_str(), FALSE)) << copy;
  t.Write("Programs\\readme.txt", "read me");
  MakeShortcut(start + "\\ZuEditor.lnk", programs + "\\Editor.exe");
  MakeShortcut(start + "\\Sub\\Zuビューア.lnk", programs + "\\ビューア.exe");
  MakeShortcut(start + "\\Sub\\ZuRemove.lnk", programs + "\\unins000.exe");
  MakeShortcut(start + "\\ZuReadme.lnk", programs + "\\readme.txt");
  MakeShortcut(desktop + "\\ZuEditor.lnk", programs + "\\Editor.exe");
  t.Write("Desktop\\ZuSite.url", "[InternetShortcut]\r\nURL=https://example.com/\r\n");
  t.Write("Desktop\\ZuBroken.lnk", "not a shortcut");
  t.Write("Desktop\\ZuNotes.txt", "not a program");
  MakeShortcut(desktop + "\\Project\\ZuBuild.lnk", programs + "\\New.exe");  // a desktop's subfolder: not looked in

  const win32::UniqueHwnd answers = testing_support::MakeAnswerWindow();
  std::shared_ptr<const core::ProgramIndex> index;
  win32::ProgramIndexThread thread(
      answers.get(), [&](std::shared_ptr<const core::ProgramIndex> taken) { index = std::move(taken); },
      win32::ProgramIndexThread::Folders{{ProgramPlace::kUserStart, start}, {ProgramPlace::kUserDesktop, desktop}});
  // What the test's folders gave (an Applications folder the system may have aside).
  auto listed = [&] {
    std::vector<InstalledProgram> found;
    if (index)
      for (const InstalledProgram* program : index->Find("zu", {}))
        if (program->place != ProgramPlace::kApps) found.push_back(*program);
    return found;
  };
  const std::string broken = desktop + "\\ZuBroken.lnk", site = desktop + "\\ZuSite.url",
                    tool = desktop + "\\ZuTool.exe";
  std::vector<InstalledProgram> expected = {
      {"ZuBroken", broken, ProgramPlace::kUserDesktop, broken},
      {"ZuEditor", start + "\\ZuEditor.lnk", ProgramPlace::kUserStart, programs + "\\Editor.exe"},
      {"ZuSite", site, ProgramPlace::kUserDesktop, site},
      {"ZuTool", tool, ProgramPlace::kUserDesktop, tool},
      {"Zuビューア", start + "\\Sub\\Zuビューア.lnk", ProgramPlace::kUserStart, programs + "\\ビューア.exe"},
  };
  thread.Start();
  ASSERT_TRUE(WaitUntil([&] { return index != nullptr; }));
  EXPECT_EQ(listed(), expected);

  // In a subfolder, then at the top.
  MakeShortcut(start + "\\Sub\\ZuNew.lnk", programs + "\\New.exe");
  expected.insert(expected.begin() + 2,
                  {"ZuNew", start + "\\Sub\\ZuNew.lnk", ProgramPlace::kUserStart, programs + "\\New.exe"});
  WaitUntil([&] { return listed() == expected; });
  EXPECT_EQ(listed(), expected);
  ASSERT_TRUE(DeleteFileW(win32::Widen(tool).c_str()));
  expected.erase(expected.begin() + 4);
  WaitUntil([&] { return listed() == expected; });
  EXPECT_EQ(listed(), expected);
}
