#include "scenario_tool/batch/scenario_pairs.h"

#include <algorithm>
#include <set>
#include <string_view>

#include "platform/paths.h"

namespace scenario::tool {

namespace {

constexpr std::string_view kLineSuffix = "_linea.txt";
constexpr std::string_view kTrainSuffix = "-.txt";

// The route whose line source `name` is, or empty.
std::string route_of_line_source(const std::string& name) {
  if (!name.ends_with(kLineSuffix) || name.size() == kLineSuffix.size()) return {};
  return name.substr(0, name.size() - kLineSuffix.size());
}

// The longest route of `routes` that `name` (ROUTE_TRAIN-.txt) belongs to, or empty.
std::string route_of_train_source(const std::string& name, const std::vector<std::string>& routes) {
  std::string best;
  for (const std::string& route : routes) {
    const std::string prefix = route + "_";
    if (name.starts_with(prefix) && name.size() > prefix.size() + kTrainSuffix.size() &&
        route.size() > best.size()) {
      best = route;
    }
  }
  return best;
}

void add_folder_pairs(const std::string& folder, const std::vector<FolderEntry>& entries,
                      BatchSources& found) {
  std::vector<std::string> routes;
  for (const FolderEntry& e : entries) {
    if (e.kind != PathKind::file) continue;
    const std::string route = route_of_line_source(e.name);
    if (!route.empty()) routes.push_back(route);
  }
  std::vector<RouteGroup> groups(routes.size());
  for (const FolderEntry& e : entries) {
    if (e.kind != PathKind::file || !e.name.ends_with(kTrainSuffix)) continue;
    const std::string route = route_of_train_source(e.name, routes);
    if (route.empty()) {
      found.lone_trains.push_back(join_path(folder, e.name));
      continue;
    }
    const std::string train =
        e.name.substr(route.size() + 1, e.name.size() - route.size() - 1 - kTrainSuffix.size());
    const std::size_t at =
        static_cast<std::size_t>(std::find(routes.begin(), routes.end(), route) - routes.begin());
    groups[at].pairs.push_back({folder, route, train,
                                join_path(folder, route + std::string(kLineSuffix)),
                                join_path(folder, e.name)});
  }
  for (RouteGroup& g : groups) {
    if (!g.pairs.empty()) found.groups.push_back(std::move(g));
  }
}

// Each real folder is walked once, however many links or roots lead to it: a link back up the
// tree would otherwise be walked again at every depth.
void walk(FileSystem& fs, const std::string& folder, int depth_left, std::set<std::string>& seen,
          BatchSources& found) {
  if (!seen.insert(fs.real_path(folder)).second) return;
  std::vector<FolderEntry> entries;
  std::string reason;
  if (!fs.list_folder(folder, &entries, &reason)) {
    found.unreadable.push_back(folder + ": " + reason);
    return;
  }
  add_folder_pairs(folder, entries, found);
  if (depth_left == 0) return;
  for (const FolderEntry& e : entries) {
    if (e.kind == PathKind::folder) {
      walk(fs, join_path(folder, e.name), depth_left - 1, seen, found);
    }
  }
}

}  // namespace

BatchSources find_scenario_pairs(FileSystem& fs, const std::vector<std::string>& roots,
                                 int max_depth) {
  BatchSources found;
  std::set<std::string> seen;
  for (const std::string& root : roots) {
    if (fs.kind_of(root) != PathKind::folder) {
      found.missing_folders.push_back(root);
      continue;
    }
    walk(fs, root, max_depth, seen, found);
  }
  return found;
}

}  // namespace scenario::tool
