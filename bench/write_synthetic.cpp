// Writes the two sources of a synthetic scenario into a folder, for the benchmarks that time the
// programs themselves: write_synthetic LENGTH_M FOLDER gives FOLDER/Sintetico_linea.txt and
// FOLDER/Sintetico_1-.txt.
#include <cstdio>
#include <exception>
#include <string>

#include "bench_support.h"
#include "synthetic_scenario.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: write_synthetic LENGTH_M FOLDER\n");
    return 64;
  }
  try {
    const synthetic::Scenario s = synthetic::make_scenario(std::stoi(argv[1]));
    const std::string folder = argv[2];
    bench::write_bytes(folder + "/Sintetico_linea.txt", s.line_source);
    bench::write_bytes(folder + "/Sintetico_1-.txt", s.train_source);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "write_synthetic: %s\n", e.what());
    return 1;
  }
  return 0;
}
