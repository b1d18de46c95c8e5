#include "platform/win32_ui.h"

#include <windows.h>

#include <string>

namespace scenario {

namespace {

// The wait window's layout as designed, in twips (1440 to the inch); the pixels follow from the
// screen's real resolution.
namespace twips {
constexpr int per_inch = 1440;
constexpr int client_width = 4200;
constexpr int client_height = 2688;
constexpr int label_left = 960;
constexpr int label_top = 960;
constexpr int label_width = 2652;
constexpr int label_height = 792;
}  // namespace twips
constexpr int font_points = 24;
constexpr int points_per_inch = 72;

// At 96 dpi the layout is the one every backend shares.
constexpr int at_96_dpi(int t) { return (t * 96 + twips::per_inch / 2) / twips::per_inch; }
static_assert(at_96_dpi(twips::client_width) == wait_window::client_width);
static_assert(at_96_dpi(twips::client_height) == wait_window::client_height);
static_assert(at_96_dpi(twips::label_left) == wait_window::label_left);
static_assert(at_96_dpi(twips::label_top) == wait_window::label_top);
static_assert(at_96_dpi(twips::label_width) == wait_window::label_width);
static_assert(at_96_dpi(twips::label_height) == wait_window::label_height);
static_assert(font_points * 96 / points_per_inch == wait_window::font_pixels);

constexpr DWORD window_style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

struct Dpi {
  int x = 96;
  int y = 96;
};

Dpi screen_dpi() {
  Dpi dpi;
  if (HDC screen = GetDC(nullptr)) {
    dpi.x = GetDeviceCaps(screen, LOGPIXELSX);
    dpi.y = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
  }
  return dpi;
}

int pixels(int twips_value, int dpi) { return MulDiv(twips_value, dpi, twips::per_inch); }

std::wstring wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, out.data(), n);
  return out;
}

bool register_wait_class(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = win32_wait_window_class;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// A window whose client area, not its outer frame, has the designed size.
HWND create_frame(HINSTANCE instance, const Dpi& dpi) {
  RECT r{0, 0, pixels(twips::client_width, dpi.x), pixels(twips::client_height, dpi.y)};
  AdjustWindowRectEx(&r, window_style, FALSE, 0);
  return CreateWindowExW(0, win32_wait_window_class, win32_window_title, window_style,
                         CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top, nullptr,
                         nullptr, instance, nullptr);
}

HFONT create_label_font(const Dpi& dpi) {
  return CreateFontW(-MulDiv(font_points, dpi.y, points_per_inch), 0, 0, 0, FW_BOLD, FALSE, FALSE,
                     FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

HWND create_label(HWND parent, HINSTANCE instance, const Dpi& dpi, HFONT font) {
  const std::wstring caption = wide(wait_window::caption);
  HWND label =
      CreateWindowExW(0, L"STATIC", caption.c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT,
                      pixels(twips::label_left, dpi.x), pixels(twips::label_top, dpi.y),
                      pixels(twips::label_width, dpi.x), pixels(twips::label_height, dpi.y), parent,
                      nullptr, instance, nullptr);
  if (label != nullptr && font != nullptr) {
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  return label;
}

class Win32Ui : public Ui {
 public:
  explicit Win32Ui(HINSTANCE instance) : instance_(instance) {}
  ~Win32Ui() override {
    if (window_ != nullptr) DestroyWindow(window_);
    if (font_ != nullptr) DeleteObject(font_);
  }
  Win32Ui(const Win32Ui&) = delete;
  Win32Ui& operator=(const Win32Ui&) = delete;

  // Shown and painted once; the run that follows blocks and never services it again.
  void show_wait_window() override {
    const Dpi dpi = screen_dpi();
    window_ = create_frame(instance_, dpi);
    if (window_ == nullptr) return;
    font_ = create_label_font(dpi);
    create_label(window_, instance_, dpi, font_);
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
  }

  void message_box(const std::string& text) override {
    MessageBoxW(window_, wide(text).c_str(), win32_window_title, MB_OK);
  }

 private:
  HINSTANCE instance_;
  HWND window_ = nullptr;
  HFONT font_ = nullptr;
};

// A service's window station cannot be seen: nobody would read a window there.
bool desktop_is_visible() {
  HWINSTA station = GetProcessWindowStation();
  USEROBJECTFLAGS flags{};
  if (station == nullptr ||
      !GetUserObjectInformationW(station, UOI_FLAGS, &flags, sizeof flags, nullptr)) {
    return true;
  }
  return (flags.dwFlags & WSF_VISIBLE) != 0;
}

}  // namespace

std::unique_ptr<Ui> make_win32_ui() {
  if (!desktop_is_visible()) return nullptr;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!register_wait_class(instance)) return nullptr;
  return std::make_unique<Win32Ui>(instance);
}

}  // namespace scenario
