// The feature recorders: tunnels, speed indicator boards, signals and slowdowns become track cells.
// Each takes its feature as a typed record whose `const` fields it only reads; a field it may
// change is left writable, and the reader sees the change. Each returns the code it recorded
// (Code::none when it recorded none); a recorded code also goes to the log with the feature's
// position.
#pragma once

#include <cstdint>
#include <vector>

#include "compiler/code_log.h"
#include "format/cell_values.h"
#include "format/model.h"

namespace scenario {

// A stretch through a mountain, from `inizio` to `fine`.
struct Tunnel {
  const std::int32_t inizio;
  const std::int32_t fine;
  // The type as read (plus 10 for tunnel markers); memo_montagna leaves the type it gave the
  // stretch.
  std::int32_t tipo;
};

// The tunnels recorded so far, counted from 1; only the previous tunnel's end is ever read back.
struct TunnelList {
  std::int32_t count = 0;
  std::vector<std::int32_t> starts{0};
  std::vector<std::int32_t> ends{0};
};

struct SpeedBoard {
  const std::int32_t posizione;
  const BoardValues values;
};

struct Signal {
  const std::int32_t posizione;
  const SignalValues values;
  // memo_segnale raises a time of 1 to 100 to 101.
  std::int32_t tempo;
};

// A slowdown of speed `v` from `x` over `l` metres; `f_ta` switches the announce cells on, `d_v`
// goes into the second value of its cells when it is not 0.
struct Slowdown {
  const std::int32_t x;
  const std::int32_t v;
  const std::int32_t l;
  const std::int32_t f_tt;
  const std::int32_t f_ta;
  const std::int32_t d_v;
};

Code memo_montagna(std::vector<TrackCell>& track, TunnelList& tunnels, Tunnel& tunnel);
Code memo_indicatori_v_max(std::vector<TrackCell>& track, CodeLog& codes, const SpeedBoard& board);
Code memo_segnale(std::vector<TrackCell>& track, CodeLog& codes, Signal& signal);
Code memo_rallentamento(std::vector<TrackCell>& track, CodeLog& codes, const Slowdown& slowdown);

// Orders the three kilometre-point entries 81, 82, 83 of the table.
void progressive_ordina(SimTable& table);

}  // namespace scenario
