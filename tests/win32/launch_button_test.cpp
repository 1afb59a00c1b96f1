#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include <shlobj.h>

#include "base/utf16.h"
#include "base/win_running_programs.h"
#include "launch/launcher_layout.h"
#include "launch/running_marks.h"
#include "launch_button/button_drop_target.h"
#include "launch_button/icon_glyph.h"
#include "launch_button/target_icon.h"
#include "storage/paths.h"
#include "support.h"

using testing_support::LauncherHarness;
using testing_support::MakeDrop;
using testing_support::WaitUntil;
using namespace win32::launcher;

namespace {

COLORREF Adjusted(COLORREF colour) {
  core::Rgb key = core::TransparentKeyOf({GetRValue(colour), GetGValue(colour), GetBValue(colour)});
  return RGB(key.red, key.green, key.blue);
}

std::string ThisProgram() { return win32::Narrow(win32::ModulePath()); }

std::string ReadAll(const std::string& path) {
  std::ifstream in(core::ToFsPath(path), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string LastLine(const std::string& text) {
  size_t end = text.find_last_not_of('\n');
  if (end == std::string::npos) return "";
  size_t start = text.rfind('\n', end);
  return text.substr(start == std::string::npos ? 0 : start + 1,
                     end + 1 - (start == std::string::npos ? 0 : start + 1));
}

int WidthOf(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

void LeftClick(HWND button) {
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

}  // namespace

// Drawn on a face of another colour (a themed button's), as the button draws it: how
// many pixels of the button-face colour show at the glyph's edges, around the icon.
int FacePixelsOnAnotherFace(const win32::Glyph& glyph) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE), themed = RGB(0, 120, 215);
  win32::WindowDc screen(nullptr);
  win32::UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
  win32::UniqueHbitmap bitmap(CreateCompatibleBitmap(screen.get(), glyph.size, glyph.size));
  win32::SelectedObject selected(dc.get(), bitmap.get());
  RECT all{0, 0, glyph.size, glyph.size};
  win32::UniqueHbrush brush(CreateSolidBrush(themed));
  FillRect(dc.get(), &all, brush.get());
  win32::DrawGlyphAt(dc.get(), 0, 0, glyph);
  int seen = 0;
  for (int i = 0; i < glyph.size; ++i)
    for (POINT p : {POINT{i, 0}, POINT{i, glyph.size - 1}, POINT{0, i}, POINT{glyph.size - 1, i}})
      seen += GetPixel(dc.get(), p.x, p.y) == face;
  return seen;
}

TEST(IconGlyph, BottomLeftPixelTurnsTransparentWithItsRedMovedByOneAndTheFaceShowsAroundTheIcon) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (bool small : {true, false}) {
    const int size = small ? 16 : 32;
    for (bool shell : {true, false}) {
      win32::Glyph glyph = win32::DrawIconGlyph({ThisProgram(), 0, shell}, small, 96);
      ASSERT_EQ(glyph.size, size);
      // The icon's corner is transparent, so the face colour shows there.
      EXPECT_EQ(win32::GlyphPixel(glyph, 0, size - 1), Adjusted(face)) << "small " << small << " shell " << shell;
      EXPECT_EQ(glyph.transparent, Adjusted(face));
      EXPECT_NE(win32::GlyphPixel(glyph, size / 2, size * 7 / 8), glyph.transparent)
          << "the icon is drawn: small " << small << " shell " << shell;
      EXPECT_EQ(win32::GlyphPixel(glyph, size - 1, 0), glyph.transparent) << "the face around it is left out";
      EXPECT_EQ(FacePixelsOnAnotherFace(glyph), 0) << "small " << small << " shell " << shell;
    }
    // No icon: nothing drawn.
    for (const core::GlyphSource& none :
         {core::GlyphSource{"C:\\no\\such.exe", 0, true}, core::GlyphSource{ThisProgram(), 99, false},
          core::GlyphSource{"", 0, true}}) {
      win32::Glyph glyph = win32::DrawIconGlyph(none, small, 96);
      EXPECT_EQ(win32::GlyphPixel(glyph, size / 2, size * 7 / 8), glyph.transparent) << none.file << " " << none.index;
      EXPECT_EQ(win32::GlyphPixel(glyph, 0, size - 1), Adjusted(face));
    }
  }
  // At 144 DPI the glyph is half as big again, drawn from a large enough image.
  EXPECT_EQ(win32::DrawIconGlyph({ThisProgram(), 0, false}, false, 144).size, 48);
  win32::Glyph small144 = win32::DrawIconGlyph({ThisProgram(), 0, true}, true, 144);
  EXPECT_EQ(small144.size, 24);
  EXPECT_NE(win32::GlyphPixel(small144, 12, 21), face);
  // What only the shell starts is read at that size too, not scaled up from 32 pixels.
  int computer = 0;
  std::thread([&] {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    computer = WidthOf(win32::TargetIcon("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", {false, 144}).get());
    CoUninitialize();
  }).join();
  EXPECT_EQ(computer, 48);
}

TEST(LaunchButtonControl, DroppedFilesRegisterOpenOrAreRefused) {
  LauncherHarness h;
  h.Create();
  HWND button = h.window->Control(kLaunchButton1);
  EXPECT_TRUE(GetWindowLongPtrW(button, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  std::string program = ThisProgram();
  SendMessageW(button, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({win32::Widen(program)})), 0);
  core::TLaunchButton& model = h.launcher->Button(1);
  EXPECT_EQ(model.Entry().path, program);
  EXPECT_EQ(model.Entry().title, "win32_tests");
  EXPECT_EQ(model.Entry().dir + "\\win32_tests.exe", program);
  EXPECT_TRUE(h.window->ButtonControl(1).HasGlyph());
  std::string page = h.folder.Read("DATA\\User11.dat");
  EXPECT_NE(page.find("ProgTitle=win32_tests\r\n"), std::string::npos) << page;

  SendMessageW(button, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({L"C:\\My Files\\a b.txt"})), 0);
  ASSERT_EQ(h.shell.requests.size(), 1u);
  EXPECT_EQ(h.shell.requests[0].file, program);
  EXPECT_EQ(h.shell.requests[0].parameters, "C:\\My Files\\a b.txt");
  EXPECT_EQ(h.shell.requests[0].showCommand, 1);

  SendMessageW(h.window->Control(kLaunchButton1 + 1), WM_DROPFILES,
               reinterpret_cast<WPARAM>(MakeDrop({L"C:\\a.txt", L"C:\\b.txt"})), 0);
  ASSERT_EQ(h.prompter.Texts().size(), 1u);
  EXPECT_EQ(h.prompter.Texts()[0], "同時に２個以上のファイルのドラッグ＆ドロップはサポートしていません。");
  EXPECT_EQ(h.launcher->Button(2).Entry().path, "");
  EXPECT_EQ(h.folder.Read("DATA\\User11.dat"), page);
}

namespace {

// A drag's data as a source gives it: each format's bytes in fresh global memory, or
// one format as a stream, which the target must release as its medium says.
class FakeData final : public IDataObject {
 public:
  std::vector<std::pair<CLIPFORMAT, std::string>> formats;
  IStream* stream = nullptr;  // given for CF_HDROP when set

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
    *object = this;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* wanted, STGMEDIUM* medium) override {
    if (stream && wanted->cfFormat == CF_HDROP) {
      stream->AddRef();
      *medium = {};
      medium->tymed = TYMED_ISTREAM;
      medium->pstm = stream;
      return S_OK;
    }
    for (const auto& [format, bytes] : formats) {
      if (format != wanted->cfFormat) continue;
      *medium = {};
      medium->tymed = TYMED_HGLOBAL;
      medium->hGlobal = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
      memcpy(GlobalLock(medium->hGlobal), bytes.data(), bytes.size());
      GlobalUnlock(medium->hGlobal);
      return S_OK;
    }
    return DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* wanted) override {
    for (const auto& entry : formats)
      if (entry.first == wanted->cfFormat) return S_OK;
    return DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
};

CLIPFORMAT Named(const wchar_t* name) { return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(name)); }

std::string Bytes(HGLOBAL global) {
  std::string bytes(static_cast<const char*>(GlobalLock(global)), GlobalSize(global));
  GlobalUnlock(global);
  GlobalFree(global);
  return bytes;
}

std::string Address(const std::wstring& address) {
  return std::string(reinterpret_cast<const char*>(address.c_str()), (address.size() + 1) * sizeof(wchar_t));
}

// A Shell IDList Array: a count, offsets, then the lists; whole `lists` are copied.
std::string IdArray(std::vector<UINT> header, const std::string& lists) {
  return std::string(reinterpret_cast<const char*>(header.data()), header.size() * sizeof(UINT)) + lists;
}

std::string IdListOf(const std::string& path) {
  PIDLIST_ABSOLUTE item = nullptr;
  if (FAILED(SHParseDisplayName(win32::Widen(path).c_str(), nullptr, &item, 0, nullptr))) return {};
  std::string bytes(reinterpret_cast<const char*>(item), ILGetSize(item));
  CoTaskMemFree(item);
  return bytes;
}

}  // namespace

// The answer is an effect the source allows; the drop is only read while the source
// waits, and handed over from the window's queue; every item counts; a malformed list
// of shell items is read no further than its memory, and a stream is released.
TEST(ButtonDropTarget, AnswersWhatTheSourceAllowsAndTakesTheDropAfterItsReturn) {
  win32::UniqueHwnd window(
      CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr));
  bool accepts = true;
  std::vector<std::vector<std::string>> dropped;
  auto* target = new win32::ButtonDropTarget([&] { return accepts; }, [&](const auto& t) { dropped.push_back(t); });
  ASSERT_TRUE(target->Register(window.get()));
  FakeData link;
  link.formats = {{Named(L"UniformResourceLocatorW"), Address(L"zubitest:x")}};
  const struct {
    DWORD allowed;
    bool accepts;
    DWORD answer;
  } effects[] = {{DROPEFFECT_COPY | DROPEFFECT_LINK, true, DROPEFFECT_COPY},
                 {DROPEFFECT_COPY | DROPEFFECT_MOVE, true, DROPEFFECT_COPY},
                 {DROPEFFECT_LINK, true, DROPEFFECT_LINK},
                 {DROPEFFECT_MOVE, true, DROPEFFECT_NONE},
                 {DROPEFFECT_COPY | DROPEFFECT_LINK, false, DROPEFFECT_NONE}};
  for (const auto& row : effects) {
    accepts = row.accepts;
    DWORD enter = row.allowed, over = row.allowed, drop = row.allowed;
    target->DragEnter(&link, 0, {}, &enter);
    target->DragOver(0, {}, &over);
    target->Drop(&link, 0, {}, &drop);
    EXPECT_EQ(enter, row.answer) << row.allowed;
    EXPECT_EQ(over, row.answer) << row.allowed;
    EXPECT_EQ(drop, row.answer) << row.allowed;
  }
  EXPECT_TRUE(dropped.empty()) << "nothing is done inside the drop";
  MSG message;
  int posted = 0;
  while (PeekMessageW(&message, window.get(), win32::kDropTaken, win32::kDropTaken, PM_REMOVE)) ++posted;
  EXPECT_EQ(posted, 3);
  target->DeliverDrops();
  EXPECT_EQ(dropped, std::vector<std::vector<std::string>>(3, {"zubitest:x"}));

  // Two items, one of them missing, or two shell items: both are handed over, to be refused.
  const std::string program = ThisProgram(), missing = "C:\\no\\such.exe";
  FakeData files;
  files.formats = {{CF_HDROP, Bytes(MakeDrop({win32::Widen(program), win32::Widen(missing)}))}};
  EXPECT_EQ(win32::DroppedTargets(&files), (std::vector<std::string>{program, missing}));
  const std::string one = IdListOf(program), two = IdListOf(program.substr(0, program.rfind('\\')));
  ASSERT_FALSE(one.empty());
  ASSERT_FALSE(two.empty());
  const UINT first = 4 * sizeof(UINT) + 2;
  FakeData items;
  items.formats = {
      {Named(CFSTR_SHELLIDLIST),
       IdArray({2, 4 * sizeof(UINT), first, first + static_cast<UINT>(one.size())}, std::string(2, '\0') + one + two)}};
  EXPECT_EQ(win32::DroppedTargets(&items).size(), 2u);

  // Malformed: offsets past the end, a list without its end, a count past the memory.
  for (const std::string& array : {IdArray({1, 12, 400}, std::string(2, '\0')),
                                   IdArray({1, 12, 14}, std::string(2, '\0') + std::string("\x08\0abcdef", 8)),
                                   IdArray({0xFFFFFFFF, 8}, std::string(2, '\0'))}) {
    FakeData bad;
    bad.formats = {{Named(CFSTR_SHELLIDLIST), array}};
    EXPECT_TRUE(win32::DroppedTargets(&bad).empty());
  }
  FakeData streamed;
  streamed.formats = {{CF_HDROP, ""}};
  ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, &streamed.stream), S_OK);
  EXPECT_TRUE(win32::DroppedTargets(&streamed).empty());
  EXPECT_EQ(streamed.stream->Release(), 0u) << "the stream given was released";

  target->Revoke();
  EXPECT_EQ(RegisterDragDrop(window.get(), target), S_OK) << "revoked";
  RevokeDragDrop(window.get());
  target->Release();
}

TEST(LaunchButtonControl, LeftClickStartsTheProgramThroughTheShellInItsWindowState) {
  std::string recorder = win32::Narrow(win32::ModulePath());
  recorder = recorder.substr(0, recorder.rfind('\\') + 1) + "recorder.exe";
  std::string log = recorder.substr(0, recorder.rfind('\\') + 1) + "recorder.log";
  DeleteFileW(win32::Widen(log).c_str());
  LauncherHarness h;
  h.useRealShell = true;
  h.Create();
  core::TLaunchButton& model = h.launcher->Button(3);
  testing_support::Set(model, &core::ButtonEntry::option, "first \"second arg\"");
  testing_support::Set(model, &core::ButtonEntry::dir, h.folder.Path());
  testing_support::SetPath(model, recorder);
  const std::pair<core::TProgState, int> states[] = {{core::TProgState::psNormal, SW_SHOWNORMAL},
                                                     {core::TProgState::psMinimized, SW_SHOWMINIMIZED},
                                                     {core::TProgState::psMaximized, SW_SHOWMAXIMIZED}};
  int expectedLines = 0;
  for (auto [state, show] : states) {
    testing_support::Set(model, &core::ButtonEntry::state, state);
    LeftClick(h.window->Control(kLaunchButton1 + 2));
    ++expectedLines;
    ASSERT_TRUE(WaitUntil([&] {
      std::string text = ReadAll(log);
      return std::count(text.begin(), text.end(), '\n') >= expectedLines;
    })) << "the recorder did not start";
    std::string line = LastLine(ReadAll(log));
    EXPECT_NE(line.find("first \"second arg\"\t" + h.folder.Path() + "\t" + std::to_string(show)), std::string::npos)
        << line;
  }
  // An empty button starts nothing.
  LeftClick(h.window->Control(kLaunchButton1 + 3));
  Sleep(300);
  std::string text = ReadAll(log);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
}

TEST(LaunchButtonControl, CtrlShiftWithTheLeftButtonAsksTheShellForAnElevatedStart) {
  LauncherHarness h;
  h.Create();
  testing_support::SetPath(h.launcher->Button(2), "C:\\setup.exe");
  HWND button = h.window->Control(kLaunchButton1 + 1);
  for (WPARAM modifiers : {WPARAM{MK_CONTROL | MK_SHIFT}, WPARAM{MK_CONTROL}, WPARAM{0}}) {
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON | modifiers, MAKELPARAM(5, 5));
    SendMessageW(button, WM_LBUTTONUP, modifiers, MAKELPARAM(5, 5));
  }
  ASSERT_EQ(h.shell.requests.size(), 3u);
  EXPECT_TRUE(h.shell.requests[0].elevated);
  EXPECT_FALSE(h.shell.requests[1].elevated);
  EXPECT_FALSE(h.shell.requests[2].elevated);
  EXPECT_EQ(h.shell.requests[0].verb, "open");
}

namespace {

// A document type whose two verbs start the recorder, each saying its name.
struct VerbRecorderType {
  explicit VerbRecorderType(const std::string& recorder) {
    for (const wchar_t* verb : {L"open", L"runas"}) {
      std::wstring key = std::wstring(L"zubiverbfile\\shell\\") + verb + L"\\command";
      std::wstring command = L"\"" + win32::Widen(recorder) + L"\" " + verb + L" \"%1\"";
      RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, command.c_str(),
                      static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    }
    RegSetKeyValueW(HKEY_CLASSES_ROOT, L".zubiverb", nullptr, REG_SZ, L"zubiverbfile", sizeof L"zubiverbfile");
  }
  ~VerbRecorderType() {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"zubiverbfile");
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L".zubiverb");
  }
};

void CtrlShiftClick(HWND button, WPARAM modifiers) {
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON | modifiers, MAKELPARAM(5, 5));
  SendMessageW(button, WM_LBUTTONUP, modifiers, MAKELPARAM(5, 5));
}

}  // namespace

// Under Wine "runas" needs no consent (Windows asks first); a program is started at
// once, and a document type with a verb of that name runs that verb.
TEST(LaunchButtonControl, AnElevatedStartGoesToTheShellAsRunAs) {
  std::string recorder = win32::Narrow(win32::ModulePath());
  recorder = recorder.substr(0, recorder.rfind('\\') + 1) + "recorder.exe";
  const std::string log = recorder.substr(0, recorder.rfind('\\') + 1) + "recorder.log";
  DeleteFileW(win32::Widen(log).c_str());
  LauncherHarness h;
  h.useRealShell = true;
  h.Create();
  core::TLaunchButton& program = h.launcher->Button(4);
  testing_support::Set(program, &core::ButtonEntry::option, "as admin");
  testing_support::Set(program, &core::ButtonEntry::dir, h.folder.Path());
  testing_support::Set(program, &core::ButtonEntry::state, core::TProgState::psMinimized);
  testing_support::SetPath(program, recorder);
  CtrlShiftClick(h.window->Control(kLaunchButton1 + 3), MK_CONTROL | MK_SHIFT);
  ASSERT_TRUE(testing_support::WaitUntil([&] { return !ReadAll(log).empty(); })) << "the recorder did not start";
  EXPECT_NE(ReadAll(log).find("as admin\t" + h.folder.Path() + "\t" + std::to_string(SW_SHOWMINIMIZED)),
            std::string::npos)
      << ReadAll(log);

  VerbRecorderType type(recorder);
  h.folder.Write("sheet.zubiverb", "");
  testing_support::SetPath(h.launcher->Button(5), h.folder.Path("sheet.zubiverb"));
  DeleteFileW(win32::Widen(log).c_str());
  CtrlShiftClick(h.window->Control(kLaunchButton1 + 4), MK_CONTROL | MK_SHIFT);
  ASSERT_TRUE(testing_support::WaitUntil([&] { return !ReadAll(log).empty(); }));
  EXPECT_NE(ReadAll(log).find(" runas \""), std::string::npos) << ReadAll(log);
  DeleteFileW(win32::Widen(log).c_str());
  CtrlShiftClick(h.window->Control(kLaunchButton1 + 4), MK_CONTROL);
  ASSERT_TRUE(testing_support::WaitUntil([&] { return !ReadAll(log).empty(); }));
  EXPECT_NE(ReadAll(log).find(" open \""), std::string::npos) << ReadAll(log);
}

namespace {

// The window of a program the test started, found by its program file (other copies
// of the recorder may run elsewhere).
HWND WaitForWindowOf(core::RunningPrograms& running, const std::string& program) {
  HWND found = nullptr;
  WaitUntil([&] {
    for (const core::ProgramWindow& window : running.VisibleWindows())
      if (core::ProgramKey(window.program) == core::ProgramKey(program)) found = reinterpret_cast<HWND>(window.window);
    return found != nullptr;
  });
  return found;
}

}  // namespace

// A program with a window marks its button, and Shift with a click brings that window
// back from the taskbar instead of starting a second copy. A program that stops
// answering (another copy of the recorder, on another button) holds up neither.
TEST(LaunchButtonControl, ShiftClickOnAMarkedButtonBringsTheRunningProgramForward) {
  const std::string recorder = ThisProgram().substr(0, ThisProgram().rfind('\\') + 1) + "recorder.exe";
  const std::string log = recorder.substr(0, recorder.rfind('\\') + 1) + "recorder.log";
  DeleteFileW(win32::Widen(log).c_str());
  LauncherHarness h;
  h.useRealShell = true;
  h.Create();
  const std::string hung = h.folder.Path("hung.exe");
  ASSERT_TRUE(CopyFileW(win32::Widen(recorder).c_str(), win32::Widen(hung).c_str(), FALSE));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION hungProcess{};
  std::wstring command = L"\"" + win32::Widen(hung) + L"\" --window --hang";
  ASSERT_TRUE(
      CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &hungProcess));
  win32::WinRunningPrograms running;
  ASSERT_TRUE(WaitForWindowOf(running, hung));

  h.launcher->SetRunningPrograms(&running);
  testing_support::Set(h.launcher->Button(3), &core::ButtonEntry::option, "--window");
  testing_support::SetPath(h.launcher->Button(3), recorder);
  testing_support::SetPath(h.launcher->Button(5), hung);
  h.launcher->WindowActivated();  // the look runs in the background
  EXPECT_TRUE(WaitUntil([&] { return h.window->ButtonControl(5).RunningMark(); }));
  EXPECT_FALSE(h.window->ButtonControl(3).RunningMark());
  EXPECT_EQ(testing_support::ReadAccessible(h.window->Control(kLaunchButton1 + 4)).name, "hung.exe、起動中")
      << "the mark in words";

  LeftClick(h.window->Control(kLaunchButton1 + 2));
  HWND window = WaitForWindowOf(running, recorder);
  ASSERT_TRUE(window);
  ShowWindowAsync(window, SW_MINIMIZE);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(window) != FALSE; }));
  h.launcher->WindowActivated();
  EXPECT_TRUE(WaitUntil([&] { return h.window->ButtonControl(3).RunningMark(); })) << "minimised, it still runs";
  const ULONGLONG before = GetTickCount64();
  HWND button = h.window->Control(kLaunchButton1 + 2);
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(5, 5));
  SendMessageW(button, WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(5, 5));
  EXPECT_LT(GetTickCount64() - before, 1000u) << "nothing waited on the hung window";
  EXPECT_TRUE(WaitUntil([&] { return !IsIconic(window); })) << "restored";
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }));
  Sleep(300);
  const std::string text = ReadAll(log);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << "no second copy";

  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
  h.launcher->WindowActivated();
  EXPECT_TRUE(WaitUntil([&] { return !h.window->ButtonControl(3).RunningMark(); }));
  TerminateProcess(hungProcess.hProcess, 0);
  WaitForSingleObject(hungProcess.hProcess, 5000);
  CloseHandle(hungProcess.hThread);
  CloseHandle(hungProcess.hProcess);
}
