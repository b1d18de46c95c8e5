// Where the parts of the profile stand on the page: the station names, the elevation and speed
// panels and the feature lanes share one distance axis, in kilometres along the track.
#pragma once

#include <algorithm>
#include <vector>

#include "format/model.h"
#include "scenario_tool/plot/page.h"
#include "scenario_tool/plot/scale.h"

namespace scenario::tool {

struct Band {
  double top = 0;
  double bottom = 0;
  double height() const { return bottom - top; }
};

struct ProfileLayout {
  double left = 120;
  double right = page::width - 45;
  Band names{76, 228};  // station names, upright
  Band elevation{236, 484};
  Band speed{512, 680};
  Band features{698, 854};  // the lanes of features
  double lane_height = 26;
  double axis_y = 854;
  double legend_top = 935;
  double length_m = 0;  // the whole track, metres

  // The page x of a distance along the track, kept within the panels.
  double x_of(double metres) const {
    const LinearScale x(0, length_m, left, right);
    return std::clamp(x(metres), left, right);
  }
  // The top of the panels the bands of stations and the grid span.
  double panels_top() const { return elevation.top; }
  double panels_bottom() const { return features.bottom; }
};

ProfileLayout profile_layout(const std::vector<TrackCell>& track);

}  // namespace scenario::tool
