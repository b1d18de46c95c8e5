// What `plot` draws from: the decoded files that could be read (any may be absent) and the names
// that title the pictures.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/model.h"
#include "scenario_tool/plot/svg.h"

namespace scenario::tool {

struct PlotScene {
  const std::vector<TrackCell>* track = nullptr;
  const SimTable* table = nullptr;
  const LineGeometry* line = nullptr;
  std::string route;  // route id; from the table, else from the file names
  std::string train;  // train number; likewise, empty when unknown
};

// "Valdora_Lusa, train 24863 (FIRST – LAST): what", naming the first and last station when the
// table is there.
std::string plot_title(const PlotScene& scene, const std::string& what);

// Starts a page of `plot` showing `what` of the scene: plot_title(scene, what) is the title that
// viewers show and stands in bold at the top, with `subtitle` below it.
Svg titled_page(const PlotScene& scene, const std::string& what, std::string_view description,
                std::string_view subtitle);

// The position, zone and name of a station of the table.
struct StationMark {
  int entry = 0;
  std::string name;
  std::int32_t pos_m = 0;
  std::int32_t start_m = 0;
  std::int32_t end_m = 0;
};

// Every station entry of the table, in table order; none without a table.
std::vector<StationMark> station_marks(const PlotScene& scene);

// The end of the route (the length the table gives), when there is a table.
std::optional<std::int32_t> route_end_m(const PlotScene& scene);

}  // namespace scenario::tool
