// What the benchmarks share: a scratch folder, a Ui that shows nothing, the compiled files of a
// run and the process's peak memory.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "compiler/source_text.h"
#include "platform/file_system.h"
#include "platform/ui.h"
#include "run/memorizza_percorso.h"
#include "synthetic_scenario.h"

namespace bench {

// A fresh folder under the system's temporary folder, removed with its content at the end.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  std::string str() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

// Shows nothing; counts the messages so that a run that wanted to show one can be told apart.
class SilentUi : public scenario::Ui {
 public:
  void show_wait_window() override {}
  void message_box(const std::string&) override { ++messages; }
  int messages = 0;
};

// Writes `bytes` to `path` as they are; throws std::runtime_error when it cannot.
void write_bytes(const std::string& path, const std::string& bytes);

// The sizes of the line, table and track files of a compile, 0 for a file that is missing.
struct CompiledSizes {
  std::uintmax_t line = 0;
  std::uintmax_t table = 0;
  std::uintmax_t track = 0;
  bool all_written() const { return line > 0 && table > 0 && track > 0; }
  std::uintmax_t total() const { return line + table + track; }
};
CompiledSizes compiled_sizes(const scenario::ScenarioNames& names);
// Removes the line, table and track files of a compile, where they exist.
void remove_compiled_files(const scenario::ScenarioNames& names);

// Where a compile reads and writes, and how its two text sources get there before it starts (the
// compile deletes them as it reads).
struct CompileSetup {
  scenario::ScenarioNames names;
  std::function<void(const scenario::ScenarioNames&, scenario::FileSystem&)> write_sources;
};

// The built-in sources, written by the run's own writers.
CompileSetup builtin_setup(const std::string& folder);
// The sources of a synthetic scenario, which must outlive the setup.
CompileSetup synthetic_setup(const std::string& folder, const synthetic::Scenario& scenario);

// Repeated compiles of one setup, each through the run's compile step.
class Compiles {
 public:
  explicit Compiles(CompileSetup setup) : setup_(std::move(setup)) {}

  // The sources in place, as the run has them when it starts the compile. The previous compile
  // is freed here, so that a caller can keep its release out of a measurement.
  void prepare();
  // memorizza_percorso, with the line geometry, on the prepared sources.
  void compile();
  const scenario::RunCompile& compilation() const { return *compiled_; }
  const scenario::ScenarioNames& names() const { return setup_.names; }
  // The sources as a compile takes them, read back from where prepare puts them.
  scenario::ScenarioSources sources();

 private:
  CompileSetup setup_;
  scenario::RealFileSystem fs_;
  std::optional<scenario::RunCompile> compiled_;
};

// The highest resident set size of this process so far, in MiB.
double peak_rss_mib();

}  // namespace bench
