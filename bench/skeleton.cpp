// The floor of the start-up benchmark: a window tree like the launcher's (an owner
// window, an always-on-top tool window with its menu bar, the same controls at the
// same places, the same four fonts, the program's manifest and icon), made from plain
// Win32 classes and no code of the program. What the launcher takes beyond it is the
// cost of the program's own work: its window classes, settings, page, glyphs and
// components.
#include <windows.h>

#include <commctrl.h>

#include <cwchar>
#include <string_view>

namespace {

constexpr int kClientWidth = 192, kClientHeight = 134;
constexpr UINT_PTR kTimerId = 1;

struct Control {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
  int left, top, width, height;
  const wchar_t* text;
  int font;  // 0 window, 1 plain, 2 bold, 3 count
  bool inPanel;
};

constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kLabel = SS_NOTIFY | SS_NOPREFIX;

// The launcher's layout in client pixels at 96 DPI; the launch buttons follow.
constexpr Control kControls[] = {
    {L"STATIC", kLabel | SS_RIGHT, 0, 19, 0, 33, 12, L"Label2", 0, false},
    {L"STATIC", kLabel | SS_LEFTNOWORDWRAP, 0, 10, 10, 33, 12, L"Label3", 0, false},
    {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 56, 0, 132, 20, L"Edit1", 0, false},
    {L"STATIC", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, 4, 24, 184, 76, L"", 0, false},
    {L"BUTTON", kButton, 0, 4, 104, 22, 25, L"T", 2, false},
    {L"BUTTON", kButton, 0, 26, 104, 22, 25, L"<<", 2, false},
    {L"BUTTON", kButton, 0, 48, 104, 22, 25, L"<", 2, false},
    {L"BUTTON", kButton, 0, 73, 104, 22, 25, L">", 2, false},
    {L"BUTTON", kButton, 0, 95, 104, 22, 25, L">>", 2, false},
    {L"BUTTON", kButton, 0, 117, 104, 22, 25, L"F", 2, false},
    {L"STATIC", kLabel | SS_LEFTNOWORDWRAP, 0, 145, 100, 46, 12, L"Page Set", 1, false},
    {L"EDIT", ES_MULTILINE | ES_RIGHT | ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP, WS_EX_CLIENTEDGE, 146, 110, 25, 20,
     L"1", 3, false},
    {UPDOWN_CLASSW, UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, 0, 171, 110, 15, 20, L"", 0, false},
};
constexpr int kTimeLabel = 1, kPanel = 3, kCountBox = 11, kUpDown = 12;

// The menu bar: three menus of 3, 10 and 2 items.
constexpr const wchar_t* kMenus[][11] = {
    {L"File(&F)", L"ﾕｰｻﾞ変更(&U)", L"ｵﾌﾟｼｮﾝ設定(&O)", L"終了(&X)"},
    {L"Page(&M)", L"先頭ﾍﾟｰｼﾞ(&T)", L"早戻し(&C)", L"前のﾍﾟｰｼﾞ(&P)", L"次のﾍﾟｰｼﾞ(&N)", L"早送り(&F)", L"最終ﾍﾟｰｼﾞ(&B)",
     L"", L"ﾍﾟｰｼﾞ一覧(&S)", L"", L"ﾍﾟｰｼ・ﾃﾞｰﾀﾞ削除(&D)"},
    {L"Help(&H)", L"ﾍﾙﾌﾟを開く(&O)", L"ﾊﾞｰｼﾞｮﾝ情報(&A)..."},
};

HMENU MenuBar() {
  HMENU bar = CreateMenu();
  UINT id = 1000;
  for (const auto& menu : kMenus) {
    HMENU popup = CreatePopupMenu();
    for (size_t i = 1; i < std::size(menu) && menu[i]; ++i)
      AppendMenuW(popup, *menu[i] ? MF_STRING : MF_SEPARATOR, id++, menu[i]);
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), menu[0]);
  }
  return bar;
}

HFONT Font(int pixels, bool bold, bool underline, int dpi) {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(pixels, dpi, 96);
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfUnderline = underline;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  std::wcscpy(lf.lfFaceName, L"ＭＳ Ｐゴシック");
  return CreateFontIndirectW(&lf);
}

LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// With --clock the skeleton also shows the time, once a second on its timer's ticks,
// as the launcher must: the floor of a launcher whose only work is its clock.
void ShowTime(HWND label) {
  static WORD shown = 0xFFFF;
  SYSTEMTIME now;
  GetLocalTime(&now);
  if (now.wSecond == shown) return;
  shown = now.wSecond;
  wchar_t text[32];
  GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &now, nullptr, text, 32);
  SetWindowTextW(label, text);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
  const bool clock = arguments && std::wstring_view(arguments).find(L"--clock") != std::wstring_view::npos;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);

  WNDCLASSW wc{};
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"SkeletonWindow";
  RegisterClassW(&wc);
  HWND owner = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"Skeleton", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               instance, nullptr);

  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  auto scale = [&](int value) { return MulDiv(value, dpi, 96); };
  constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
  RECT rect{0, 0, scale(kClientWidth), scale(kClientHeight)};
  AdjustWindowRectEx(&rect, kStyle, TRUE, kExStyle);
  HWND window = CreateWindowExW(kExStyle, wc.lpszClassName, L"Skeleton - Page 1/1", kStyle, 100, 100,
                                rect.right - rect.left, rect.bottom - rect.top, owner, MenuBar(), instance, nullptr);

  const HFONT fonts[] = {Font(12, false, true, dpi), Font(12, false, false, dpi), Font(12, true, false, dpi),
                         Font(13, true, false, dpi)};
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts[0]), FALSE);
  HWND made[std::size(kControls)] = {};
  auto create = [&](const Control& c, HWND parent, int left, int top) {
    HWND control = CreateWindowExW(c.exStyle, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, scale(left),
                                   scale(top), scale(c.width), scale(c.height), parent, nullptr, instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts[c.font]), FALSE);
    return control;
  };
  for (size_t i = 0; i < std::size(kControls); ++i)
    made[i] = create(kControls[i], window, kControls[i].left, kControls[i].top);
  for (int k = 0; k < 10; ++k) {
    const Control button{L"BUTTON", kButton, 0, 0, 0, 36, 36, L"", 0, true};
    create(button, made[kPanel], 2 + 36 * (k % 5), k < 5 ? 2 : 38);
  }
  SendMessageW(made[kUpDown], UDM_SETBUDDY, reinterpret_cast<WPARAM>(made[kCountBox]), 0);
  SendMessageW(made[kUpDown], UDM_SETRANGE32, 1, 99);
  SendMessageW(made[kUpDown], UDM_SETPOS32, 0, 1);

  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  SetTimer(window, kTimerId, 200, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (clock && message.message == WM_TIMER && message.hwnd == window) ShowTime(made[kTimeLabel]);
    if (IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
