// Opens the native Windows windows through the platform layer and reports what Windows made of
// them, for the tests under Wine:
//   ui_probe wait       shows the wait window, prints its geometry and font, then "shown", then
//                       waits for standard input to close
//   ui_probe message T  shows the message box with text T, prints its text, icon and buttons
//                       once it is up, and "closed" once OK is pressed
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <thread>

#include "platform/win32_ui.h"

namespace {

std::string narrow(const std::wstring& w) {
  if (w.empty()) return {};
  const int size = static_cast<int>(w.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), size, out.data(), n, nullptr, nullptr);
  return out;
}

std::string window_text(HWND w) {
  std::wstring text(256, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(w, text.data(), 256)));
  return narrow(text);
}

// The face, height and weight the label asked for, and the face the font mapper gave it.
void report_font(HWND label) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
  LOGFONTW lf{};
  if (font == nullptr || GetObjectW(font, sizeof lf, &lf) == 0) {
    std::printf("font none\n");
    return;
  }
  HDC dc = GetDC(label);
  HGDIOBJ old = SelectObject(dc, font);
  std::wstring face(LF_FACESIZE, L'\0');
  face.resize(static_cast<std::size_t>(GetTextFaceW(dc, LF_FACESIZE, face.data())) - 1);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  std::printf("font %s height %ld weight %ld italic %d underline %d\n",
              narrow(lf.lfFaceName).c_str(), static_cast<long>(lf.lfHeight),
              static_cast<long>(lf.lfWeight), lf.lfItalic, lf.lfUnderline);
  std::printf("selected face %s\n", narrow(face).c_str());
}

int report_wait_window() {
  HWND w = FindWindowW(scenario::win32_wait_window_class, scenario::win32_window_title);
  if (w == nullptr) {
    std::printf("no wait window\n");
    return 1;
  }
  RECT client{};
  GetClientRect(w, &client);
  std::printf("visible %d\n", IsWindowVisible(w) ? 1 : 0);
  std::printf("client %ld x %ld\n", client.right, client.bottom);
  HWND label = GetWindow(w, GW_CHILD);
  if (label == nullptr || GetWindow(label, GW_HWNDNEXT) != nullptr) {
    std::printf("not exactly one control\n");
    return 1;
  }
  RECT r{};
  GetWindowRect(label, &r);
  MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&r), 2);
  std::printf("label at %ld,%ld size %ld x %ld\n", r.left, r.top, r.right - r.left,
              r.bottom - r.top);
  std::printf("caption %s\n", window_text(label).c_str());
  report_font(label);
  HDC screen = GetDC(nullptr);
  std::printf("dpi %d\n", GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
  return 0;
}

// Watches, from a second thread, for the box to come up and describes it.
void describe_message_box() {
  for (int i = 0; i < 200; ++i) {
    HWND box = FindWindowW(L"#32770", scenario::win32_window_title);
    if (box != nullptr && IsWindowVisible(box)) {
      constexpr int text_id = 0xFFFF;  // the message text of a message box
      constexpr int icon_id = 0x14;    // its icon, when it has one
      std::printf("box text [%s]\n", window_text(GetDlgItem(box, text_id)).c_str());
      std::printf("box icon %s\n", GetDlgItem(box, icon_id) != nullptr ? "yes" : "no");
      std::printf("box buttons ok %d cancel %d yes %d no %d\n", GetDlgItem(box, IDOK) != nullptr,
                  GetDlgItem(box, IDCANCEL) != nullptr, GetDlgItem(box, IDYES) != nullptr,
                  GetDlgItem(box, IDNO) != nullptr);
      std::printf("box up\n");
      std::fflush(stdout);
      return;
    }
    Sleep(50);
  }
  std::printf("no message box\n");
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 64;
  auto ui = scenario::make_win32_ui();
  if (!ui) {
    std::printf("no desktop\n");
    return 2;
  }
  const std::string mode = argv[1];
  if (mode == "wait") {
    ui->show_wait_window();
    const int status = report_wait_window();
    std::printf("shown\n");
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
    return status;
  }
  if (mode == "message" && argc >= 3) {
    std::thread watcher(describe_message_box);
    ui->message_box(argv[2]);
    watcher.join();
    std::printf("closed\n");
    return 0;
  }
  return 64;
}
