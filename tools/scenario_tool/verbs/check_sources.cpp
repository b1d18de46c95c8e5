#include "scenario_tool/verbs/check_sources.h"

#include <sstream>

#include "platform/paths.h"
#include "scenario_tool/compile/source_check.h"
#include "scenario_tool/verbs/finding_lines.h"

namespace scenario::tool {

namespace {

std::string folder_of(const std::string& path) {
  const std::string name = file_name(path);
  return path.substr(0, path.size() - name.size());
}

std::optional<std::string> read_text(FileSystem& fs, const std::string& path) {
  std::string bytes;
  std::string reason;
  if (!fs.read(path, &bytes, &reason)) return std::nullopt;
  return bytes;
}

}  // namespace

std::optional<std::pair<std::string, std::string>> sources_beside(const LoadedScenario& s) {
  const auto& line = s.outcome(FileRole::line).path;
  auto train_file = s.outcome(FileRole::track).path;
  if (!train_file) train_file = s.outcome(FileRole::table).path;
  if (!train_file) return std::nullopt;
  const std::string stem = file_stem(*train_file);
  std::string route;
  constexpr std::string_view line_end = "_linea";
  if (line && file_stem(*line).ends_with(line_end)) {
    route = file_stem(*line);
    route.resize(route.size() - line_end.size());
  } else if (const auto cut = stem.rfind('_'); cut != std::string::npos) {
    route = stem.substr(0, cut);
  }
  if (route.empty() || !stem.starts_with(route + "_") || stem.size() == route.size() + 1) {
    return std::nullopt;
  }
  const std::string folder = folder_of(*train_file);
  const std::string train = stem.substr(route.size() + 1);
  return std::pair{folder + route + "_linea.txt", folder + route + "_" + train + "-.txt"};
}

std::optional<SourcePlaces> place_findings(const CheckResult& r, const std::string& line_source,
                                           const std::string& train_source, FileSystem& fs) {
  const auto line_text = read_text(fs, line_source);
  const auto train_text = read_text(fs, train_source);
  if (!line_text || !train_text) return std::nullopt;
  const SourceCheck read = check_sources(*line_text, *train_text);
  SourcePlaces out{line_source, train_source, {}};
  for (const CheckFinding& f : r.findings) {
    const auto at = finding_line(f, read.records);
    if (!at) {
      out.places.emplace_back();
      continue;
    }
    out.places.emplace_back(
        std::pair{at->first == SourceKind::line ? line_source : train_source, at->second});
  }
  return out;
}

std::string with_places(const std::string& text, const SourcePlaces& places) {
  std::istringstream lines(text);
  std::string out;
  std::size_t i = 0;
  for (std::string l; std::getline(lines, l); ++i) {
    if (i < places.places.size() && places.places[i]) {
      out += places.places[i]->first + ":" + std::to_string(places.places[i]->second) + ": ";
    }
    out += l + "\n";
  }
  return out;
}

void add_places(Json& document, const SourcePlaces& places) {
  Json& findings = document["findings"];
  for (std::size_t i = 0; i < findings.size() && i < places.places.size(); ++i) {
    if (!places.places[i]) continue;
    findings[i]["file"] = places.places[i]->first;
    findings[i]["line"] = places.places[i]->second;
  }
}

}  // namespace scenario::tool
