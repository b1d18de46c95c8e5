#include "bench_support.h"

#include <sys/resource.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <system_error>

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

CompiledSizes compiled_sizes(const scenario::ScenarioNames& names) {
  return {size_or_zero(scenario::line_file_path(names)),
          size_or_zero(scenario::table_file_path(names)),
          size_or_zero(scenario::track_file_path(names))};
}

void remove_compiled_files(const scenario::ScenarioNames& names) {
  std::error_code ignored;
  for (const std::string& path : {scenario::line_file_path(names), scenario::table_file_path(names),
                                  scenario::track_file_path(names)}) {
    std::filesystem::remove(path, ignored);
  }
}

CompileSetup builtin_setup(const std::string& folder) {
  return {{folder, scenario::builtin_route_id, scenario::builtin_train_number},
          [](const scenario::ScenarioNames& names, scenario::FileSystem& fs) {
            scenario::dati_linea(names, fs);
            scenario::dati_treno(names, fs);
          }};
}

CompileSetup synthetic_setup(const std::string& folder, const synthetic::Scenario& synth) {
  return {{folder, "Sintetico", "1"},
          [&synth](const scenario::ScenarioNames& names, scenario::FileSystem&) {
            write_bytes(scenario::line_source_path(names), synth.line_source);
            write_bytes(scenario::train_source_path(names), synth.train_source);
          }};
}

void Compiles::prepare() {
  compiled_.reset();
  setup_.write_sources(setup_.names, fs_);
}

void Compiles::compile() {
  compiled_ = scenario::memorizza_percorso(setup_.names, fs_, {.build_line = true});
}

scenario::ScenarioSources Compiles::sources() {
  prepare();
  scenario::ScenarioSources sources;
  for (const auto& [path, source] :
       {std::pair{scenario::line_source_path(setup_.names), &sources.line},
        std::pair{scenario::train_source_path(setup_.names), &sources.train}}) {
    std::string err;
    if (!fs_.read(path, &source->bytes, &err)) throw std::runtime_error("cannot read " + path);
    source->state = scenario::SourceText::State::present;
  }
  return sources;
}

double peak_rss_mib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  // Linux reports kibibytes.
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace bench
