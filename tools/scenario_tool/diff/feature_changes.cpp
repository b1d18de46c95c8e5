#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <tuple>
#include <vector>

#include "scenario_tool/diff/changes.h"
#include "scenario_tool/scenario/track_views.h"

namespace scenario::tool {

namespace {

struct Feature {
  std::int64_t index = 0;
  const Json* cell = nullptr;
  Json key;  // what must be equal for two features to be the same
  bool matched = false;
};

// A station stop or a signboard is the same feature when it names the same station or text, even
// when its entry number moved because an entry was added before it.
Json comparable_meaning(const Json& cell) {
  Json meaning = cell.at("meaning");
  for (const char* name : {"station", "text"}) {
    if (meaning.contains(name) && !meaning.at(name).is_null()) meaning.erase("entry");
  }
  return meaning;
}

using ByKind = std::map<std::int64_t, std::vector<Feature>>;

ByKind by_kind(const Json& cells) {
  ByKind out;
  if (!cells.is_array()) return out;
  for (const Json& c : cells) {
    out[c.at("kind").get<std::int64_t>()].push_back(
        Feature{c.at("index").get<std::int64_t>(), &c, comparable_meaning(c)});
  }
  return out;
}

Json place(const Feature& f) { return Json{{"index", f.index}, {"metres", cell_start_m(f.index)}}; }

Json item(const char* change, const Feature& f) {
  return Json{{"change", change},
              {"kind", f.cell->at("kind")},
              {"kind_name", f.cell->at("kind_name")},
              {"index", f.index},
              {"metres", cell_start_m(f.index)}};
}

// Features of one kind with the same values, paired nearest first within the window: at the same
// cell they are unchanged, elsewhere they moved. Pairing equal values before anything else keeps
// a run of features that moved by less than its own length (the announce cells of a slowdown)
// from reading as changes where the old and new runs overlap.
void match_equal(std::vector<Feature>& before, std::vector<Feature>& after, Json& out) {
  std::vector<std::tuple<std::int64_t, std::size_t, std::size_t>> pairs;  // distance, old, new
  for (std::size_t i = 0; i < before.size(); ++i) {
    const auto from =
        std::lower_bound(after.begin(), after.end(), before[i].index - move_window_cells,
                         [](const Feature& f, std::int64_t index) { return f.index < index; });
    for (auto a = from; a != after.end() && a->index <= before[i].index + move_window_cells; ++a) {
      if (a->key != before[i].key) continue;
      pairs.emplace_back(std::abs(a->index - before[i].index), i,
                         static_cast<std::size_t>(a - after.begin()));
    }
  }
  std::sort(pairs.begin(), pairs.end());
  for (const auto& [distance, i, j] : pairs) {
    Feature& b = before[i];
    Feature& a = after[j];
    if (b.matched || a.matched) continue;
    b.matched = a.matched = true;
    if (distance == 0) continue;
    Json change = item("moved", b);
    change["to"] = place(a);
    change["meaning"] = a.cell->at("meaning");
    out.push_back(std::move(change));
  }
}

// What is left of one kind at the same cell on both sides: the values changed.
void match_in_place(std::vector<Feature>& before, std::vector<Feature>& after, Json& out) {
  std::size_t j = 0;
  for (Feature& b : before) {
    while (j < after.size() && after[j].index < b.index) ++j;
    if (b.matched || j == after.size() || after[j].index != b.index || after[j].matched) continue;
    Feature& a = after[j];
    b.matched = a.matched = true;
    Json change = item("changed", b);
    change["old"] = b.cell->at("meaning");
    change["new"] = a.cell->at("meaning");
    out.push_back(std::move(change));
  }
}

void unmatched(const char* change, const std::vector<Feature>& features, Json& out) {
  for (const Feature& f : features) {
    if (f.matched) continue;
    Json c = item(change, f);
    c["meaning"] = f.cell->at("meaning");
    out.push_back(std::move(c));
  }
}

}  // namespace

Json feature_changes(const Json& old_cells, const Json& new_cells) {
  ByKind before = by_kind(old_cells);
  ByKind after = by_kind(new_cells);
  Json out = Json::array();
  for (auto& [kind, old_features] : before) {
    auto& new_features = after[kind];
    match_equal(old_features, new_features, out);
    match_in_place(old_features, new_features, out);
    unmatched("removed", old_features, out);
  }
  for (auto& [kind, new_features] : after) unmatched("added", new_features, out);
  // In the order of the line; at one cell, what went before what came.
  static const std::map<std::string, int> rank{
      {"removed", 0}, {"changed", 1}, {"moved", 2}, {"added", 3}};
  std::stable_sort(out.begin(), out.end(), [](const Json& a, const Json& b) {
    return std::make_tuple(a.at("index").get<std::int64_t>(),
                           rank.at(a.at("change").get<std::string>())) <
           std::make_tuple(b.at("index").get<std::int64_t>(),
                           rank.at(b.at("change").get<std::string>()));
  });
  return out;
}

}  // namespace scenario::tool
