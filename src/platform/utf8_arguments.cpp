#include "platform/utf8_arguments.h"

#ifdef _WIN32
#include <windows.h>
// windows.h first: shellapi.h needs its types.
#include <shellapi.h>

#include <cstdlib>
#endif

namespace scenario {

namespace {

#ifdef _WIN32
std::string utf8_of_wide(const wchar_t* wide) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string utf8(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), n, nullptr, nullptr);
  utf8.resize(static_cast<std::size_t>(n - 1));
  return utf8;
}

UINT g_console_output_code_page = 0;

void restore_console_code_page() { SetConsoleOutputCP(g_console_output_code_page); }
#endif

}  // namespace

Utf8Arguments::Utf8Arguments(int argc, char** argv) {
#ifdef _WIN32
  int wide_argc = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &wide_argc);
  if (wide != nullptr) {
    for (int i = 0; i < wide_argc; ++i) strings_.push_back(utf8_of_wide(wide[i]));
    LocalFree(wide);
  } else {
    strings_.assign(argv, argv + argc);
  }
#else
  strings_.assign(argv, argv + argc);
#endif
  for (std::string& s : strings_) pointers_.push_back(s.data());
}

void use_utf8_console() {
#ifdef _WIN32
  g_console_output_code_page = GetConsoleOutputCP();
  if (g_console_output_code_page == 0 || g_console_output_code_page == CP_UTF8) return;
  if (SetConsoleOutputCP(CP_UTF8)) std::atexit(restore_console_code_page);
#endif
}

}  // namespace scenario
