// Writes the two sources of a synthetic scenario into a folder, for the benchmarks that time the
// programs themselves: write_synthetic LENGTH_M FOLDER [SEED] gives FOLDER/Sintetico_linea.txt and
// FOLDER/Sintetico_1-.txt (SEED 0, the default, is the scenario the benchmarks time).
#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>

#include "bench_support.h"
#include "synthetic_scenario.h"

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: write_synthetic LENGTH_M FOLDER [SEED]\n");
    return 64;
  }
  try {
    const auto seed = argc == 4 ? static_cast<std::uint32_t>(std::stoul(argv[3])) : 0U;
    const synthetic::Scenario s = synthetic::make_scenario(std::stoi(argv[1]), seed);
    const std::string folder = argv[2];
    bench::write_bytes(folder + "/Sintetico_linea.txt", s.line_source);
    bench::write_bytes(folder + "/Sintetico_1-.txt", s.train_source);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "write_synthetic: %s\n", e.what());
    return 1;
  }
  return 0;
}
