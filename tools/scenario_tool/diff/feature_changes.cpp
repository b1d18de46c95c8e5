#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <tuple>
#include <vector>

#include "scenario_tool/diff/changes.h"
#include "scenario_tool/scenario/cell_meaning.h"

namespace scenario::tool {

namespace {

struct Candidate {
  const Feature* feature = nullptr;
  bool matched = false;

  std::int64_t index() const { return feature->cell; }
};

// A station stop or a signboard is the same feature when it names the same station or text, even
// when its entry number moved because an entry was added before it.
bool same_values(const Feature& a, const Feature& b) {
  const auto* x = std::get_if<EntryMeaning>(&a.meaning);
  const auto* y = std::get_if<EntryMeaning>(&b.meaning);
  if (x == nullptr || y == nullptr) return a.meaning == b.meaning;
  if (x->name.has_value() != y->name.has_value()) return false;
  return x->name ? *x->name == *y->name : x->entry == y->entry;
}

using ByKind = std::map<std::int64_t, std::vector<Candidate>>;

ByKind by_kind(const std::vector<Feature>& features) {
  ByKind out;
  for (const Feature& f : features) out[f.kind].push_back(Candidate{&f});
  return out;
}

// Features of one kind with the same values, paired nearest first within the window: at the same
// cell they are unchanged, elsewhere they moved. Pairing equal values before anything else keeps
// a run of features that moved by less than its own length (the announce cells of a slowdown)
// from reading as changes where the old and new runs overlap.
void match_equal(std::vector<Candidate>& before, std::vector<Candidate>& after,
                 std::vector<FeatureChange>& out) {
  std::vector<std::tuple<std::int64_t, std::size_t, std::size_t>> pairs;  // distance, old, new
  for (std::size_t i = 0; i < before.size(); ++i) {
    const std::int64_t at = before[i].index();
    const auto from =
        std::lower_bound(after.begin(), after.end(), at - move_window_cells,
                         [](const Candidate& f, std::int64_t index) { return f.index() < index; });
    for (auto a = from; a != after.end() && a->index() <= at + move_window_cells; ++a) {
      if (!same_values(*a->feature, *before[i].feature)) continue;
      pairs.emplace_back(std::abs(a->index() - at), i, static_cast<std::size_t>(a - after.begin()));
    }
  }
  std::sort(pairs.begin(), pairs.end());
  for (const auto& [distance, i, j] : pairs) {
    Candidate& b = before[i];
    Candidate& a = after[j];
    if (b.matched || a.matched) continue;
    b.matched = a.matched = true;
    if (distance != 0) out.push_back({FeatureChange::What::moved, *b.feature, *a.feature});
  }
}

// What is left of one kind at the same cell on both sides: the values changed.
void match_in_place(std::vector<Candidate>& before, std::vector<Candidate>& after,
                    std::vector<FeatureChange>& out) {
  std::size_t j = 0;
  for (Candidate& b : before) {
    while (j < after.size() && after[j].index() < b.index()) ++j;
    if (b.matched || j == after.size() || after[j].index() != b.index() || after[j].matched) {
      continue;
    }
    Candidate& a = after[j];
    b.matched = a.matched = true;
    out.push_back({FeatureChange::What::changed, *b.feature, *a.feature});
  }
}

void unmatched(FeatureChange::What what, const std::vector<Candidate>& features,
               std::vector<FeatureChange>& out) {
  for (const Candidate& f : features) {
    if (!f.matched) out.push_back({what, *f.feature, std::nullopt});
  }
}

Json place(const Feature& f) { return Json{{"index", f.cell}, {"metres", f.position_m}}; }

Json change_json(const FeatureChange& c) {
  const Feature& f = c.before;
  Json j{{"change", change_name(c.what)},
         {"kind", f.kind},
         {"kind_name", kind_name(f.kind)},
         {"index", f.cell},
         {"metres", f.position_m}};
  if (c.what == FeatureChange::What::moved) {
    j["to"] = place(*c.after);
    j["meaning"] = meaning_json(c.after->kind, c.after->meaning);
  } else if (c.what == FeatureChange::What::changed) {
    j["old"] = meaning_json(f.kind, f.meaning);
    j["new"] = meaning_json(c.after->kind, c.after->meaning);
  } else {
    j["meaning"] = meaning_json(f.kind, f.meaning);
  }
  return j;
}

}  // namespace

const char* change_name(FeatureChange::What what) {
  switch (what) {
    case FeatureChange::What::removed:
      return "removed";
    case FeatureChange::What::changed:
      return "changed";
    case FeatureChange::What::moved:
      return "moved";
    case FeatureChange::What::added:
      break;
  }
  return "added";
}

std::vector<FeatureChange> feature_changes(const std::vector<Feature>& old_features,
                                           const std::vector<Feature>& new_features) {
  ByKind before = by_kind(old_features);
  ByKind after = by_kind(new_features);
  std::vector<FeatureChange> changes;
  for (auto& [kind, old_ones] : before) {
    auto& new_ones = after[kind];
    match_equal(old_ones, new_ones, changes);
    match_in_place(old_ones, new_ones, changes);
    unmatched(FeatureChange::What::removed, old_ones, changes);
  }
  for (auto& [kind, new_ones] : after) unmatched(FeatureChange::What::added, new_ones, changes);
  // In the order of the line; at one cell, what went before what came.
  std::stable_sort(
      changes.begin(), changes.end(), [](const FeatureChange& a, const FeatureChange& b) {
        return std::make_tuple(a.before.cell, a.what) < std::make_tuple(b.before.cell, b.what);
      });
  return changes;
}

Json feature_changes_json(const std::vector<FeatureChange>& changes) {
  Json out = Json::array();
  for (const FeatureChange& c : changes) out.push_back(change_json(c));
  return out;
}

}  // namespace scenario::tool
