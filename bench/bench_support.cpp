#include "bench_support.h"

#include <sys/resource.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "compiler/memorizza_percorso.h"
#include "format/file_names.h"
#include "run/builtin_scenario.h"
#include "sources/writers.h"

namespace bench {

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "scenario-bench-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create " + pattern);
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void write_bytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path);
}

namespace {

std::uintmax_t size_or_zero(const std::string& path) {
  std::error_code ec;
  const std::uintmax_t n = std::filesystem::file_size(path, ec);
  return ec ? 0 : n;
}

}  // namespace

CompiledSizes compiled_sizes(const scenario::GeneratorState& state) {
  return {size_or_zero(scenario::line_file_path(state)),
          size_or_zero(scenario::table_file_path(state)),
          size_or_zero(scenario::track_file_path(state))};
}

void remove_compiled_files(const scenario::GeneratorState& state) {
  std::error_code ignored;
  for (const std::string& path : {scenario::line_file_path(state), scenario::table_file_path(state),
                                  scenario::track_file_path(state)}) {
    std::filesystem::remove(path, ignored);
  }
}

CompileSetup builtin_setup(const std::string& folder) {
  return {folder, scenario::builtin_route_id, scenario::builtin_train_number,
          [](scenario::GeneratorState& s) {
            scenario::dati_linea(s);
            scenario::dati_treno(s);
          }};
}

CompileSetup synthetic_setup(const std::string& folder, const synthetic::Scenario& synth) {
  return {folder, "Sintetico", "1", [&synth](scenario::GeneratorState& s) {
            write_bytes(scenario::line_source_path(s), synth.line_source);
            write_bytes(scenario::train_source_path(s), synth.train_source);
          }};
}

scenario::GeneratorState& Compiles::prepare() {
  state_.emplace();
  state_->folder = setup_.folder;
  state_->route_id = setup_.route_id;
  state_->train_number = setup_.train_number;
  state_->fs = &fs_;
  setup_.write_sources(*state_);
  return *state_;
}

void Compiles::compile() { scenario::memorizza_percorso(*state_, 1); }

double peak_rss_mib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  // Linux reports kibibytes.
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace bench
