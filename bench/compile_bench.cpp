// How long a compile and a whole run take, and how the cost grows with the length of the line.
// Every case checks once, before it is timed, that the compile records no code and writes its
// three files; a case that fails the check reports an error instead of a time.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"
#include "platform/file_system.h"
#include "run/form1.h"
#include "synthetic_scenario.h"

namespace {

bool compiled_cleanly(benchmark::State& st, const bench::Compiles& compiles) {
  const scenario::Code code = compiles.compilation().result.code.code;
  if (code != scenario::Code::none) {
    st.SkipWithError(("the compile recorded code " + to_string(code)).c_str());
    return false;
  }
  if (!bench::compiled_sizes(compiles.names()).all_written()) {
    st.SkipWithError("the compile did not write its three files");
    return false;
  }
  return true;
}

void report(benchmark::State& st, const bench::Compiles& compiles, std::int64_t metres) {
  st.counters["metres"] = static_cast<double>(metres);
  st.counters["cells"] = static_cast<double>(compiles.compilation().result.model.track.size());
  st.counters["bytes_written"] =
      static_cast<double>(bench::compiled_sizes(compiles.names()).total());
}

// Whether each timed compile replaces the files of the one before it, as a second run in the
// same folder does, or writes into a folder without them, as a first run does. The file system
// may make a replacement cost more than a first write.
enum class Outputs { replaced, first_written };

// Times memorizza_percorso alone: writing the sources before each compile is not timed.
void time_compiles(benchmark::State& st, bench::Compiles& compiles, std::int64_t metres,
                   Outputs outputs = Outputs::replaced) {
  compiles.prepare();
  compiles.compile();
  if (!compiled_cleanly(st, compiles)) return;
  report(st, compiles, metres);

  for (auto _ : st) {
    st.PauseTiming();
    if (outputs == Outputs::first_written) {
      bench::remove_compiled_files(compiles.names());
    }
    compiles.prepare();
    st.ResumeTiming();
    compiles.compile();
  }
  if (compiles.compilation().result.code.code != scenario::Code::none) {
    st.SkipWithError("a timed compile recorded a code");
  }
  st.counters["peak_rss_mib"] = bench::peak_rss_mib();
}

void BM_CompileBuiltIn(benchmark::State& st) {
  bench::ScratchFolder folder;
  bench::Compiles compiles(bench::builtin_setup(folder.str()));
  time_compiles(st, compiles, 82000);
}

void BM_CompileBuiltInFirstWrite(benchmark::State& st) {
  bench::ScratchFolder folder;
  bench::Compiles compiles(bench::builtin_setup(folder.str()));
  time_compiles(st, compiles, 82000, Outputs::first_written);
}

void BM_CompileSynthetic(benchmark::State& st) {
  const auto length_m = static_cast<std::int32_t>(st.range(0));
  const synthetic::Scenario synth = synthetic::make_scenario(length_m);
  bench::ScratchFolder folder;
  bench::Compiles compiles(bench::synthetic_setup(folder.str(), synth));
  time_compiles(st, compiles, length_m);
  st.counters["signals"] = synth.counts.signals;
  st.counters["stations"] = synth.counts.stations;
}

std::uintmax_t folder_bytes(const std::string& folder) {
  std::uintmax_t total = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.is_regular_file()) total += entry.file_size();
  }
  return total;
}

// The whole run as the program makes it: sources, documents, compile, files.
void BM_GeneratorRun(benchmark::State& st) {
  bench::ScratchFolder folder;
  bench::SilentUi ui;
  scenario::RealFileSystem fs;
  for (auto _ : st) {
    if (scenario::run_generator(ui, fs, folder.str()) != scenario::exit_status::clean) {
      st.SkipWithError("the generator run did not end cleanly");
      break;
    }
  }
  if (ui.messages != 0) st.SkipWithError("the generator run showed a message");
  st.counters["bytes_written"] = static_cast<double>(folder_bytes(folder.str()));
  st.counters["peak_rss_mib"] = bench::peak_rss_mib();
}

// The fastest repetition: on a shared machine, the one least disturbed by other work.
double fastest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

BENCHMARK(BM_CompileBuiltIn)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->ComputeStatistics("min", fastest);
BENCHMARK(BM_CompileBuiltInFirstWrite)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->ComputeStatistics("min", fastest);
BENCHMARK(BM_GeneratorRun)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->ComputeStatistics("min", fastest);
BENCHMARK(BM_CompileSynthetic)
    ->Arg(100000)
    ->Arg(500000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->ComputeStatistics("min", fastest);

BENCHMARK_MAIN();
