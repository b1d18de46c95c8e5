#include "platform/interrupts.h"

#include <atomic>
#include <csignal>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

namespace scenario {

namespace {

// Read by the handler: no other kind of data may be shared with it. A count, not a flag: the
// compiles of a batch replace their sets on several threads at once, and one set done must not
// leave the others unguarded.
std::atomic<int> g_replacing{0};
static_assert(std::atomic<int>::is_always_lock_free, "read from a signal handler");
volatile std::sig_atomic_t g_pending = 0;
// A loop that ends on an interrupt is running (InterruptsEndLoop).
std::atomic<int> g_looping{0};

#ifdef _WIN32

// The console runs this on a thread of its own. Outside a replacement the default action ends the
// program at once; during one, the main thread cleans up and ends the program itself, and this
// thread gives it a few seconds (a close event allows five) before the default action comes.
BOOL WINAPI on_console_event(DWORD event) {
  const int sig = event == CTRL_C_EVENT ? SIGINT : SIGTERM;
  if (g_replacing == 0 && g_looping == 0) return FALSE;
  g_pending = sig;
  // The loop ends itself; a close event still ends the program after its grace time.
  if (g_replacing == 0) return TRUE;
  for (int waited = 0; waited < 4000; waited += 50) Sleep(50);
  return FALSE;
}

#else

extern "C" void on_signal(int sig) {
  if (g_replacing == 0 && g_looping == 0) {
    std::signal(sig, SIG_DFL);
    std::raise(sig);
    return;
  }
  g_pending = sig;
}

#endif

}  // namespace

void install_interrupt_handlers() {
#ifdef _WIN32
  SetConsoleCtrlHandler(on_console_event, TRUE);
#else
  struct sigaction action {};
  action.sa_handler = on_signal;
  sigemptyset(&action.sa_mask);
  // System calls go on after the handler: a write cut short would be taken for a failure.
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
#endif
}

ReplacementInProgress::ReplacementInProgress() { ++g_replacing; }

ReplacementInProgress::~ReplacementInProgress() {
  if (active_) --g_replacing;
}

void ReplacementInProgress::check() const {
  if (g_pending != 0) throw Interrupted{static_cast<int>(g_pending)};
}

void ReplacementInProgress::finish() {
  if (active_) --g_replacing;
  active_ = false;
  check();
}

InterruptsEndLoop::InterruptsEndLoop() { ++g_looping; }

InterruptsEndLoop::~InterruptsEndLoop() { --g_looping; }

bool InterruptsEndLoop::stop_requested() const { return g_pending != 0; }

void end_by_signal(int sig) {
#ifdef _WIN32
  (void)sig;
  // What the console's default action gives a program ended by Ctrl-C.
  ExitProcess(STATUS_CONTROL_C_EXIT);
#else
  std::signal(sig, SIG_DFL);
  std::raise(sig);
  std::_Exit(128 + sig);
#endif
}

}  // namespace scenario
