// Interrupts (SIGINT and SIGTERM; Ctrl-C, Ctrl-Break and the close events of a console on
// Windows) end the program as they would by default, except while a set of files is being
// replaced. Then the replacement notices at its next step, puts the old set back and removes its
// temporary files, and the program ends by the same signal afterwards, so that a shell or make
// sees the interruption (status 130 or 143).
#pragma once

namespace scenario {

// The interruption a replacement noticed; the program ends by `signal` once it is cleaned up.
struct Interrupted {
  int signal;
};

// Installs the handlers; the programs call it first thing.
void install_interrupt_handlers();

// Marks a replacement in progress for its lifetime: an interrupt then waits for it.
class ReplacementInProgress {
 public:
  ReplacementInProgress();
  ~ReplacementInProgress();
  ReplacementInProgress(const ReplacementInProgress&) = delete;
  ReplacementInProgress& operator=(const ReplacementInProgress&) = delete;

  // Throws Interrupted when an interrupt has come.
  void check() const;
  // Ends the replacement; throws Interrupted when an interrupt came in its last steps.
  void finish();

 private:
  bool active_ = true;
};

// For its lifetime, an interrupt outside a replacement no longer ends the program: it is kept for
// stop_requested(), so that a loop that runs until Ctrl-C (watch) can end cleanly. During a
// replacement it still ends the replacement (Interrupted).
class InterruptsEndLoop {
 public:
  InterruptsEndLoop();
  ~InterruptsEndLoop();
  InterruptsEndLoop(const InterruptsEndLoop&) = delete;
  InterruptsEndLoop& operator=(const InterruptsEndLoop&) = delete;

  // An interrupt has come.
  bool stop_requested() const;
};

// Ends the program by `signal` with its default action.
[[noreturn]] void end_by_signal(int signal);

}  // namespace scenario
