#include "scenario_tool/watch/watch_loop.h"

#include <algorithm>
#include <optional>

#include "platform/paths.h"

namespace scenario::tool {

namespace {

// The longest the loop waits before it looks at stop_requested() again.
constexpr std::chrono::milliseconds stop_check{100};

struct LoopState {
  std::optional<std::array<std::string, 2>> compiled;  // the bytes of the last verdict
  std::vector<std::string> saved;                      // the sources saved since, each once
  std::vector<std::string> told_missing;               // already told: not again each event
};

void note_saved(LoopState& state, const std::string& name) {
  if (std::find(state.saved.begin(), state.saved.end(), name) == state.saved.end())
    state.saved.push_back(name);
}

void tell_missing(LoopState& state, const std::vector<std::string>& missing, std::ostream& err) {
  if (missing == state.told_missing) return;
  state.told_missing = missing;
  for (const std::string& path : missing)
    err << "watch: " << path << " is missing; waiting for it to be saved\n";
}

// The burst is over: the sources as they are now, compiled unless nothing changed.
void act(const WatchLoop& loop, LoopState& state, std::ostream& err) {
  SourceBytes now = read_sources(loop.fs, loop.sources);
  if (!now.bytes) {
    tell_missing(state, now.missing, err);
    return;
  }
  state.told_missing.clear();
  if (state.compiled && *state.compiled == *now.bytes) {
    state.saved.clear();
    return;
  }
  const bool verdict = loop.compile(state.saved);
  state.saved.clear();
  if (verdict) {
    state.compiled = std::move(now.bytes);
  } else {
    state.compiled.reset();
  }
}

}  // namespace

void run_watch_loop(const WatchLoop& loop, std::ostream& err) {
  Debounce debounce(loop.quiet);
  LoopState state;
  debounce.force();
  while (!loop.stop_requested()) {
    if (debounce.due(Debounce::Clock::now())) {
      debounce.clear();
      act(loop, state, err);
      continue;
    }
    const auto wait = debounce.wait_before_due(Debounce::Clock::now(), stop_check);
    for (const FolderChange& change : loop.watch.wait(wait)) {
      if (const WatchedSource* source = saved_source(loop.sources, change)) {
        note_saved(state, source->name);
        debounce.event(Debounce::Clock::now());
      }
    }
  }
}

}  // namespace scenario::tool
