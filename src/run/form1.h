// The run's window object: owns the scenario's names, the compile and the wait window, and runs
// the steps.
#pragma once

#include <optional>
#include <string>

#include "run/memorizza_percorso.h"

namespace scenario {

class FileSystem;
class Ui;

class Form1 {
 public:
  Form1(Ui& ui, FileSystem& fs, std::string folder);

  // The run, step by step. Ends early only by ErroreExit (a header conflict) or FileError.
  void Form_Load();

  const ScenarioNames& names() const { return names_; }
  // The compile, once the run has done it.
  const RunCompile& compilation() const { return *compilation_; }

 private:
  Ui& ui_;
  FileSystem& fs_;
  ScenarioNames names_;
  std::optional<RunCompile> compilation_;
};

// Exit statuses of the generator.
namespace exit_status {
inline constexpr int clean = 0;
inline constexpr int errore = 1;
inline constexpr int recorded_code = 2;
inline constexpr int file_failure = 3;
}  // namespace exit_status

// Runs Form1 and turns its outcome into an exit status: a header conflict has already been shown
// by `errore`; a file failure is shown here; a recorded code is named on standard error.
int run_generator(Ui& ui, FileSystem& fs, const std::string& folder);

// The standard-error line for a recorded code.
std::string recorded_error_line(const RecordedCode& recorded);

}  // namespace scenario
