#include "scenario_tool/scenario/track_views.h"

#include <array>
#include <cstdint>

#include "format/cell_values.h"
#include "scenario_tool/scenario/cell_meaning.h"

namespace scenario::tool {

namespace {

using ByteField = std::uint8_t TrackCell::*;
using ValueOf = std::optional<int> (*)(std::uint8_t);

Json run(std::int64_t first, std::int64_t last, Json value) {
  return Json{{"first_cell", first},
              {"last_cell", last},
              {"start_m", cell_start_m(first)},
              {"end_m", cell_start_m(last + 1)},
              {"value", std::move(value)}};
}

// Consecutive cells with the same byte in `field` make one run.
Json runs_of(const std::vector<TrackCell>& track, ByteField field, const ValueOf& value) {
  Json out = Json::array();
  std::size_t first = 0;
  for (std::size_t i = 1; i <= track.size(); ++i) {
    if (i < track.size() && track[i].*field == track[first].*field) continue;
    out.push_back(run(static_cast<std::int64_t>(first), static_cast<std::int64_t>(i) - 1,
                      value_json(value(track[first].*field))));
    first = i;
  }
  return out;
}

Json raw_values(const TrackCell& c) {
  return Json{{"value1", c.value1},
              {"value2", c.value2},
              {"value3", c.value3},
              {"value4", c.value4},
              {"signal_time", c.signal_time}};
}

}  // namespace

std::int64_t cell_start_m(std::int64_t index) { return index * cell_metres; }

Json cell_counts(const std::vector<TrackCell>& track) {
  std::array<std::int64_t, 256> counts{};
  for (const TrackCell& c : track) ++counts[c.kind];
  Json out = Json::object();
  for (std::size_t k = 0; k < counts.size(); ++k) {
    if (counts[k] > 0) out[kind_name(static_cast<std::uint8_t>(k))] = counts[k];
  }
  return out;
}

Json occupied_cells(const std::vector<TrackCell>& track, const SimTable* table) {
  Json out = Json::array();
  for (std::size_t i = 0; i < track.size(); ++i) {
    const TrackCell& c = track[i];
    if (c.kind == cell_kind::free) continue;
    const auto index = static_cast<std::int64_t>(i);
    out.push_back(Json{{"index", index},
                       {"metres", cell_start_m(index)},
                       {"kind", c.kind},
                       {"kind_name", kind_name(c.kind)},
                       {"raw", raw_values(c)},
                       {"meaning", meaning_json(c.kind, meaning_of(c, table))}});
  }
  return out;
}

const std::array<StretchProperty, 4>& stretch_properties() {
  // A gradient byte of 0 was never written (the last cells of the track).
  static const std::array<StretchProperty, 4> properties{
      StretchProperty{
          "gradient", &TrackCell::gradient_100,
          [](std::uint8_t b) { return gradient_per_mille(TrackCell{.gradient_100 = b}); }},
      StretchProperty{"speed_limit_kmh", &TrackCell::speed_div5,
                      [](std::uint8_t b) {
                        return std::optional<int>(speed_limit_kmh(TrackCell{.speed_div5 = b}));
                      }},
      StretchProperty{"adhesion", &TrackCell::adhesion,
                      [](std::uint8_t b) { return std::optional<int>(b); }},
      StretchProperty{"tunnel_type", &TrackCell::tunnel_type,
                      [](std::uint8_t b) { return std::optional<int>(b); }}};
  return properties;
}

Json stretches(const std::vector<TrackCell>& track) {
  Json out = Json::object();
  for (const StretchProperty& p : stretch_properties()) {
    out[p.name] = runs_of(track, p.field, p.value);
  }
  return out;
}

Json approach_codes(const std::vector<TrackCell>& track) {
  Json out = Json::array();
  for (std::size_t i = 0; i < track.size(); ++i) {
    if (track[i].approach_code == 0) continue;
    const auto index = static_cast<std::int64_t>(i);
    out.push_back(
        Json{{"cell", index}, {"metres", cell_start_m(index)}, {"code", track[i].approach_code}});
  }
  return out;
}

}  // namespace scenario::tool
