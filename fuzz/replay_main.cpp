// Replays the inputs of corpus folders through a harness, without the fuzzer: every past finding
// and seed stays a regression test of the ordinary build. Usage: REPLAY PATH...; a path is a
// folder, whose files are replayed in name order, or a single file. A broken invariant or a
// crash ends the program abnormally, naming the input; an exception that escapes the harness or
// a corpus without inputs ends it with status 1.
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_check.h"

namespace {

namespace fs = std::filesystem;

// The input being replayed, for the signal handler; fixed storage, as the handler may not
// allocate.
char current_input[4096] = "";

// Only write(2) may be called from a signal handler.
void write_err(const char* s) {
#ifdef _WIN32
  (void)::_write(2, s, static_cast<unsigned>(std::strlen(s)));
#else
  const ssize_t ignored = ::write(STDERR_FILENO, s, std::strlen(s));
  (void)ignored;
#endif
}

void on_fatal_signal(int sig) {
  write_err("replay: crashed while replaying ");
  write_err(current_input);
  write_err("\n");
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

void install_handlers() {
  for (int sig : {SIGABRT, SIGSEGV, SIGFPE, SIGILL}) std::signal(sig, on_fatal_signal);
#ifdef SIGBUS
  std::signal(SIGBUS, on_fatal_signal);
#endif
}

std::vector<fs::path> inputs_of(const fs::path& path) {
  if (!fs::is_directory(path)) return {path};
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(path)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string read_bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void replay(const fs::path& path) {
  const std::string s = path.string();
  std::snprintf(current_input, sizeof current_input, "%s", s.c_str());
  const std::string bytes = read_bytes(path);
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s CORPUS_FOLDER_OR_FILE...\n", argv[0]);
    return 2;
  }
  install_handlers();
  long count = 0;
  try {
    for (int i = 1; i < argc; ++i) {
      for (const fs::path& input : inputs_of(argv[i])) {
        replay(input);
        ++count;
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "replay: %s escaped while replaying %s\n", e.what(), current_input);
    return 1;
  }
  std::printf("%s\n", scenario::fuzz::harness_summary().c_str());
  std::printf("replayed %ld inputs\n", count);
  if (count == 0) {
    std::fprintf(stderr, "replay: no input found\n");
    return 1;
  }
  return 0;
}
