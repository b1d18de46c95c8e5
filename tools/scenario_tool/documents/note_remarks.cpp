// The notes' remarks, each a sentence the data supports: sand, the adhesion along the run, the
// tunnels and the steepest gradient.
#include <algorithm>
#include <cstdlib>

#include "format/constants.h"
#include "scenario_tool/documents/documents.h"
#include "scenario_tool/documents/layout.h"

namespace scenario::tool {

namespace {

// The built-in train has 100 where the rail is good and less where it is poor.
constexpr int kGoodAdhesion = 100;

// The conditions (plural) and the adhesion (singular) as the notes word them.
const char* adhesion_word(int value) { return value >= kGoodAdhesion ? "buone" : "cattive"; }
const char* adhesion_single(int value) { return value >= kGoodAdhesion ? "buona" : "cattiva"; }

// The stretch of the run: from the first station to the last (the line's end without them).
struct Span {
  std::int64_t from = 0;
  std::int64_t to = 0;
};

Span run_span(const Scenario& scenario) {
  Span span{0, scenario.cell_count * cell_metres};
  if (scenario.stations.size() < 2) return span;
  const auto [lo, hi] = std::minmax_element(
      scenario.stations.begin(), scenario.stations.end(),
      [](const Station& a, const Station& b) { return a.position_m < b.position_m; });
  return {lo->position_m, hi->position_m};
}

bool overlaps(const Run& r, const Span& s) { return r.start_m < s.to && r.end_m > s.from; }

std::string sand_remark(const Scenario& scenario) {
  const bool sand = scenario.header && scenario.header->sand == 1;
  return sand ? "La locomotiva ha la sabbia." : "La locomotiva non ha sabbia.";
}

std::string adhesion_remark(const Scenario& scenario, const Span& span) {
  std::vector<std::pair<std::int64_t, std::string>> changes;  // where each word begins
  for (const Run& r : scenario.adhesion) {
    if (!r.value || !overlaps(r, span)) continue;
    const std::string word = adhesion_word(*r.value);
    if (changes.empty() || changes.back().second != word) changes.emplace_back(r.start_m, word);
  }
  if (changes.empty()) return "";
  std::string text = "Le condizioni di aderenza sono " + changes.front().second;
  for (std::size_t i = 1; i < changes.size(); ++i) {
    text += " fino al chilometro " + km_figure(changes[i].first) + ", poi diventano " +
            changes[i].second;
  }
  return text + (changes.size() == 1 ? " su tutto il percorso." : " fino alla fine del percorso.");
}

std::int32_t adhesion_at(const Scenario& scenario, std::int64_t position_m) {
  for (const Run& r : scenario.adhesion) {
    if (r.start_m <= position_m && position_m < r.end_m && r.value) return *r.value;
  }
  return kGoodAdhesion;
}

std::vector<std::string> tunnel_remarks(const Scenario& scenario, const Span& span) {
  std::vector<std::string> remarks;
  for (const Run& r : scenario.tunnel_types) {
    if (!r.value || *r.value == 0 || !overlaps(r, span)) continue;
    remarks.push_back("Galleria dal chilometro " + km_figure(r.start_m) + " al chilometro " +
                      km_figure(r.end_m) + ": aderenza " +
                      adhesion_single(adhesion_at(scenario, r.start_m)) + ".");
  }
  return remarks;
}

std::string gradient_remark(const Scenario& scenario, const Span& span) {
  const Run* steepest = nullptr;
  for (const Run& r : scenario.gradients) {
    if (!r.value || !overlaps(r, span)) continue;
    if (!steepest || std::abs(*r.value) > std::abs(*steepest->value)) steepest = &r;
  }
  if (!steepest || *steepest->value == 0) return "Il percorso e` in piano.";
  return "La pendenza piu` forte e` del " + std::to_string(std::abs(*steepest->value)) +
         " per mille al chilometro " + km_figure(std::max(steepest->start_m, span.from)) + ".";
}

}  // namespace

std::vector<std::string> note_remarks(const Scenario& scenario) {
  const Span span = run_span(scenario);
  std::vector<std::string> remarks{sand_remark(scenario)};
  if (std::string a = adhesion_remark(scenario, span); !a.empty()) remarks.push_back(a);
  for (std::string& t : tunnel_remarks(scenario, span)) remarks.push_back(std::move(t));
  remarks.push_back(gradient_remark(scenario, span));
  return remarks;
}

}  // namespace scenario::tool
