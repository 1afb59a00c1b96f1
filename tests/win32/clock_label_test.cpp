#include <gtest/gtest.h>

#include <vector>

#include "base/handles.h"
#include "base/utf16.h"
#include "launch/clock_label.h"
#include "launch/launcher_layout.h"
#include "support.h"

using namespace win32::launcher;
using testing_support::LauncherHarness;

namespace {

constexpr COLORREF kYellow = RGB(255, 255, 0);

HFONT FontOf(HWND label) { return reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)); }

// The pixels of a width x height bitmap that `draw` paints into a memory DC.
template <typename Draw>
std::vector<COLORREF> Pixels(int width, int height, Draw draw) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  win32::UniqueHbitmap bitmap(CreateCompatibleBitmap(screen, width, height));
  HGDIOBJ old = SelectObject(memory, bitmap.get());
  draw(memory);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(memory, x, y));
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// What a static label with the same text, font, colours and alignment shows.
std::vector<COLORREF> StaticLabelPixels(HWND label, UINT alignment) {
  RECT client;
  GetClientRect(label, &client);
  std::wstring text(64, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(label, text.data(), 64)));
  return Pixels(client.right, client.bottom, [&](HDC dc) {
    win32::UniqueHbrush yellow(CreateSolidBrush(kYellow));
    FillRect(dc, &client, yellow.get());
    HGDIOBJ old = SelectObject(dc, FontOf(label));
    SetBkColor(dc, kYellow);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextW(dc, text.c_str(), -1, &client, alignment | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
  });
}

// What the label shows on the screen.
std::vector<COLORREF> ShownPixels(HWND label) {
  RECT client;
  GetClientRect(label, &client);
  return Pixels(client.right, client.bottom, [&](HDC dc) {
    HDC own = GetDC(label);
    BitBlt(dc, 0, 0, client.right, client.bottom, own, 0, 0, SRCCOPY);
    ReleaseDC(label, own);
  });
}

int Differences(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
  if (a.size() != b.size()) return -1;
  int count = 0;
  for (size_t i = 0; i < a.size(); ++i) count += a[i] != b[i];
  return count;
}

}  // namespace

// The date and time labels keep a DC of their own and draw the underline themselves;
// what they show must still be what a static label shows, pixel for pixel, each time
// the text changes.
TEST(ClockLabel, ShowsItsTextAsAStaticLabelWould) {
  LauncherHarness h;
  h.Create();
  ShowWindow(h.window->Handle(), SW_SHOWNOACTIVATE);
  UpdateWindow(h.window->Handle());
  struct Case {
    int id;
    UINT alignment;
    const char* text;
  } cases[] = {// texts that fit in the window: the date label grows to the left
               {kLabel3, DT_LEFT, "12:34:56"},
               {kLabel3, DT_LEFT, "9:05:07"},
               {kLabel2, DT_RIGHT, "26/1/8"},
               {kLabel2, DT_RIGHT, "27/1/10"}};
  for (const auto& c : cases) {
    HWND label = h.window->Control(c.id);
    if (c.id == kLabel3)
      h.window->SetTimeText(c.text);
    else
      h.window->SetDateText(c.text);
    UpdateWindow(h.window->Handle());
    ASSERT_EQ(testing_support::TextOf(label), c.text);
    std::vector<COLORREF> shown = ShownPixels(label);
    EXPECT_EQ(Differences(shown, StaticLabelPixels(label, c.alignment)), 0) << c.text;
    // The text is really there: dark pixels on the yellow.
    EXPECT_GT(std::count(shown.begin(), shown.end(), RGB(0, 0, 0)), 10) << c.text;
  }
}

// The label answers as a static label does: the font it was given, its text, and a
// size that is the text's extent in that font.
TEST(ClockLabel, KeepsTheFontItIsGivenAndMeasuresItsText) {
  LauncherHarness h;
  h.Create();
  HWND label = h.window->Control(kLabel3);
  HFONT font = FontOf(label);
  LOGFONTW description{};
  ASSERT_TRUE(GetObjectW(font, sizeof description, &description));
  EXPECT_TRUE(description.lfUnderline);

  h.window->SetTimeText("23:59:59");
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font);
  SIZE extent{};
  GetTextExtentPoint32W(screen, L"23:59:59", 8, &extent);
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen, &metrics);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  SIZE measured = win32::ClockLabelTextSize(label, L"23:59:59");
  EXPECT_EQ(measured.cx, extent.cx);
  EXPECT_EQ(measured.cy, metrics.tmHeight);
  RECT client;
  GetClientRect(label, &client);
  EXPECT_EQ(client.right, extent.cx);
  EXPECT_EQ(client.bottom, metrics.tmHeight);

  // Another font: given back as it is, measured in it; none: the system font.
  win32::UniqueHfont bigger(
      CreateFontW(-24, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(bigger.get()), TRUE);
  EXPECT_EQ(FontOf(label), bigger.get());
  EXPECT_GT(win32::ClockLabelTextSize(label, L"23:59:59").cy, measured.cy);
  SendMessageW(label, WM_SETFONT, 0, FALSE);
  EXPECT_EQ(FontOf(label), nullptr);
  EXPECT_GT(win32::ClockLabelTextSize(label, L"23:59:59").cx, 0);
}
