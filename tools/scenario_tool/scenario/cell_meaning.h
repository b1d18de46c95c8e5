// What the values of an occupied track cell mean, by the kind of its feature: decoded once into
// typed values, which the JSON of inspect and every text are written from.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "format/cell_values.h"
#include "format/model.h"
#include "scenario_tool/scenario/json.h"

namespace scenario::tool {

// A signal: its two sides, and its time in seconds (0 unless the left side is 2).
struct SignalMeaning {
  SignalValues values;
  std::int32_t time_s = 0;

  bool operator==(const SignalMeaning&) const = default;
};

// A slowdown's start, end or warning cell: speed in km/h and d_v; f_tt on the start and end only.
struct SlowdownMeaning {
  std::int32_t speed_kmh = 0;
  std::int32_t d_v = 0;
  std::optional<std::int32_t> f_tt;

  bool operator==(const SlowdownMeaning&) const = default;
};

// One of the four announce cells: its order (1 nearest the warning) and the order again when the
// slowdown has a d_v.
struct AnnounceMeaning {
  std::int32_t order = 0;
  std::int32_t d_v_order = 0;

  bool operator==(const AnnounceMeaning&) const = default;
};

// A station stop or a signboard: the table entry it refers to and that entry's name (the
// station's name, the sign's text); none without a table or for an entry outside it.
struct EntryMeaning {
  std::int32_t entry = 0;
  std::optional<std::string> name;

  bool operator==(const EntryMeaning&) const = default;
};

struct CodeCutMeaning {
  std::int32_t code = 0;

  bool operator==(const CodeCutMeaning&) const = default;
};

// Nothing for a free cell, a tunnel marker, a code cut below 1 or an unknown kind.
using CellMeaning = std::variant<std::monostate, SignalMeaning, BoardValues, SlowdownMeaning,
                                 AnnounceMeaning, EntryMeaning, CodeCutMeaning>;

// The name of a cell kind ("signal", "speed_board", ...); "unknown_N" for a code with no kind.
std::string kind_name(std::uint8_t kind);

// The feature's values decoded. The table, when there is one, gives the station names and sign
// texts the cell refers to.
CellMeaning meaning_of(const TrackCell& cell, const SimTable* table);

// The meaning as the JSON of inspect writes it, under the keys of its kind.
Json meaning_json(std::uint8_t kind, const CellMeaning& meaning);

// The meaning as one line of text; `kind` tells a code cut below 1, which has no values.
std::string meaning_text(std::uint8_t kind, const CellMeaning& meaning);

}  // namespace scenario::tool
