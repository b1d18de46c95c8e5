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
  Band features{698, 866};  // the lanes of features
  double lane_height = 24;
  double axis_y = 866;
  double legend_top = 940;
  // The stretch of the track drawn, metres.
  double from_m = 0;
  double to_m = 0;

  // The page x of a distance along the track, kept within the panels.
  double x_of(double metres) const {
    const LinearScale x(from_m, to_m, left, right);
    return std::clamp(x(metres), left, right);
  }
  // Whether a point, or some of a stretch, lies within the stretch drawn.
  bool shows(double metres) const { return metres >= from_m && metres <= to_m; }
  bool overlaps(double start, double end) const { return end >= from_m && start <= to_m; }
  // The top of the panels the bands of stations and the grid span.
  double panels_top() const { return elevation.top; }
  double panels_bottom() const { return features.bottom; }
};

// The layout of a profile of the stretch from_m to to_m.
ProfileLayout profile_layout(double from_m, double to_m);

}  // namespace scenario::tool
