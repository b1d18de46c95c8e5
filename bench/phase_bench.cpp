// The steps of one compile timed apart, to show where a compile spends its time: reading the
// sources, serialising the three files in memory, and writing them out. Argument 0 is the
// built-in scenario; any other is the length of a synthetic line.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "compiler/compilation.h"
#include "compiler/finishing_pass.h"
#include "compiler/memorizza_dati.h"
#include "format/file_names.h"
#include "format/file_writers.h"
#include "platform/replace_files.h"
#include "synthetic_scenario.h"

namespace {

using scenario::Compilation;

// The sources and the setup of one case; the scenario lives as long as the setup uses it. The
// sources are read once: the phases time the compile of bytes already in memory.
class PhaseCase {
 public:
  explicit PhaseCase(std::int64_t arg) {
    if (arg == 0) {
      compiles_ = std::make_unique<bench::Compiles>(bench::builtin_setup(folder_.str()));
    } else {
      synth_ = synthetic::make_scenario(static_cast<std::int32_t>(arg));
      compiles_ = std::make_unique<bench::Compiles>(bench::synthetic_setup(folder_.str(), synth_));
    }
    sources_ = compiles_->sources();
  }
  const scenario::ScenarioNames& names() const { return compiles_->names(); }

  // A compile with its sources and nothing read yet. The previous one is freed here, so that a
  // caller can keep its release out of a measurement.
  Compilation& fresh() {
    compilation_.reset();
    compilation_.emplace(scenario::ScenarioIds{names().route_id, names().train_number});
    compilation_->sources = sources_;
    return *compilation_;
  }

  // A compile as the reader leaves it, with the finishing pass done: ready to be written.
  Compilation& read_and_finish() {
    Compilation& c = fresh();
    scenario::memorizza_dati(c);
    scenario::finishing_pass(c.model.track, c.codes);
    return c;
  }

 private:
  bench::ScratchFolder folder_;
  synthetic::Scenario synth_;
  std::unique_ptr<bench::Compiles> compiles_;
  scenario::ScenarioSources sources_;
  std::optional<Compilation> compilation_;
};

bool read_cleanly(benchmark::State& st, const Compilation& c) {
  if (!c.codes.any()) return true;
  st.SkipWithError(("the reader recorded code " + to_string(c.codes.last().code)).c_str());
  return false;
}

// memorizza_dati: reading both sources into the model, line geometry included.
void BM_PhaseRead(benchmark::State& st) {
  PhaseCase c(st.range(0));
  if (!read_cleanly(st, c.read_and_finish())) return;
  for (auto _ : st) {
    st.PauseTiming();
    Compilation& compilation = c.fresh();
    st.ResumeTiming();
    scenario::memorizza_dati(compilation);
  }
}

// The bytes of the three files, built in memory.
void BM_PhaseSerialise(benchmark::State& st) {
  PhaseCase c(st.range(0));
  const Compilation& compilation = c.read_and_finish();
  if (!read_cleanly(st, compilation)) return;
  const scenario::CompiledScenario& s = compilation.model;
  for (auto _ : st) {
    benchmark::DoNotOptimize(scenario::write_line_file(*s.line));
    benchmark::DoNotOptimize(scenario::write_track_file(s.track));
    benchmark::DoNotOptimize(scenario::write_table_file(s.table));
  }
}

// The line file alone, the largest of the three.
void BM_PhaseSerialiseLine(benchmark::State& st) {
  PhaseCase c(st.range(0));
  const Compilation& compilation = c.read_and_finish();
  if (!read_cleanly(st, compilation)) return;
  const scenario::LineCourse& line = *compilation.model.line;
  for (auto _ : st) benchmark::DoNotOptimize(scenario::write_line_file(line));
  st.counters["bytes"] = static_cast<double>(scenario::write_line_file(line).size());
}

// Putting bytes already built on the disk: temporary files, flush, rename over the old files.
void BM_PhaseReplaceFiles(benchmark::State& st) {
  PhaseCase c(st.range(0));
  const Compilation& compilation = c.read_and_finish();
  if (!read_cleanly(st, compilation)) return;
  const scenario::CompiledScenario& s = compilation.model;
  const scenario::ScenarioNames& names = c.names();
  const std::vector<scenario::OutputBlob> files{
      {scenario::line_file_path(names), scenario::write_line_file(*s.line)},
      {scenario::table_file_path(names), scenario::write_table_file(s.table)},
      {scenario::track_file_path(names), scenario::write_track_file(s.track)}};
  scenario::RealFileSystem fs;
  for (auto _ : st) scenario::replace_files(fs, files);
}

}  // namespace

BENCHMARK(BM_PhaseRead)->Arg(0)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PhaseSerialise)->Arg(0)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PhaseSerialiseLine)
    ->Arg(0)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_PhaseReplaceFiles)->Arg(0)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
