// The native Windows windows. Only the platform layer sees this.
#pragma once

#include <memory>

#include "platform/ui.h"

namespace scenario {

// The window class of the wait window, so that a test can find the window.
inline constexpr const wchar_t* win32_wait_window_class = L"ScenarioWaitWindow";
// The title of both windows.
inline constexpr const wchar_t* win32_window_title = L"Generatore";

// Null when the process has no visible desktop to show windows on (a service, for one).
std::unique_ptr<Ui> make_win32_ui();

}  // namespace scenario
