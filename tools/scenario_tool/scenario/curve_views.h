// The curves of a line, read back exactly from its line file: where each curve runs, its class
// (1 widest to 6 sharpest), its side and its radius, as the source's `curva` records gave them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "format/model.h"
#include "scenario_tool/scenario/json.h"

namespace scenario::tool {

struct CurveStretch {
  std::int64_t start_m = 0;  // the metre the curve turns from (the row before its first curved one)
  std::int64_t end_m = 0;    // its last curved row
  int curve_class = 0;       // 1 to 6
  int side = 0;              // +1 right ("d"), -1 left ("s")
  double radius_m = 0;

  bool operator==(const CurveStretch&) const = default;
};

struct LineCurves {
  std::vector<CurveStretch> curves;
  std::int64_t read_to_m = -1;  // the last metre whose step is known
  // Where the line stops having the form of a compiled line, and why: the curves after it are
  // unknown.
  std::optional<std::int64_t> broken_m;
  std::string broken_reason;
};

LineCurves line_curves(const LineGeometry& line);

// The radius to the metre, as every output gives it.
std::int64_t whole_radius_m(const CurveStretch& curve);

// "left" or "right".
const char* side_name(int side);

// {"stretches": [{start_m, end_m, class, side, radius_m}], "read_to_m", "broken"}: broken is null
// or {metres, reason}.
Json curves_json(const LineCurves& curves);

}  // namespace scenario::tool
