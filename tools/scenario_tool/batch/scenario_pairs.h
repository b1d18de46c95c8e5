// Finding the scenarios of a batch: every ROUTE_linea.txt / ROUTE_TRAIN-.txt pair in a tree of
// folders.
#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace scenario::tool {

struct ScenarioPair {
  std::string folder;  // where the two sources are, and where the compiled files go
  std::string route_id;
  std::string train_number;
  std::string line_source;
  std::string train_source;
};

// The trains of one route in one folder. They share the route's line file, so they are compiled
// one after the other, never at the same time.
struct RouteGroup {
  std::vector<ScenarioPair> pairs;
};

struct BatchSources {
  std::vector<RouteGroup> groups;            // in the order of their folders and names
  std::vector<std::string> lone_trains;      // ROUTE_TRAIN-.txt with no ROUTE_linea.txt beside it
  std::vector<std::string> missing_folders;  // roots that are no folder
  std::vector<std::string> unreadable;       // "FOLDER: reason" for folders that cannot be listed
};

// Walks each root and the folders below it, at most `max_depth` levels, each real folder once
// (a folder given twice, or reached again through a link, is not walked again). A train source goes
// with the longest route whose line source is beside it.
BatchSources find_scenario_pairs(FileSystem& fs, const std::vector<std::string>& roots,
                                 int max_depth = 32);

}  // namespace scenario::tool
