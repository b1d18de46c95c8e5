// Where a point of the line lands on the plan: the line's extent fitted into the drawing area at
// one scale for both axes, coordinate 0 to the right and coordinate 1 upwards.
#pragma once

#include "scenario_tool/plot/centre_line.h"

namespace scenario::tool {

class PlanFrame {
 public:
  // `area` in page units, min the top left corner.
  PlanFrame(const Box& world, const Box& area);

  Point to_page(Point world) const;
  double units_per_metre() const { return scale_; }

 private:
  Box world_;
  double scale_ = 1;
  Point origin_;  // the page point of world_.min
};

// The drawing area of the plan, inside its frame, leaving room for the station names.
Box plan_area();

}  // namespace scenario::tool
