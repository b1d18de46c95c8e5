#include "scenario_tool/plot/plan_frame.h"

#include <algorithm>

#include "scenario_tool/plot/page.h"

namespace scenario::tool {

PlanFrame::PlanFrame(const Box& world, const Box& area) : world_(world) {
  const double ww = world.max.x - world.min.x;
  const double wh = world.max.y - world.min.y;
  const double aw = area.max.x - area.min.x;
  const double ah = area.max.y - area.min.y;
  // A line along one axis only has no width: the other axis sets the scale.
  if (ww > 0 && wh > 0) scale_ = std::min(aw / ww, ah / wh);
  if (ww > 0 && !(wh > 0)) scale_ = aw / ww;
  if (!(ww > 0) && wh > 0) scale_ = ah / wh;
  // Centred in the area; the page's y runs downwards.
  origin_.x = area.min.x + (aw - ww * scale_) / 2;
  origin_.y = area.max.y - (ah - wh * scale_) / 2;
}

Point PlanFrame::to_page(Point w) const {
  return Point{origin_.x + (w.x - world_.min.x) * scale_,
               origin_.y - (w.y - world_.min.y) * scale_};
}

Box plan_area() {
  // Room on the right for the station names, at the bottom for the scale bar.
  return Box{Point{80, 110}, Point{page::width - 260, page::height - 90}};
}

}  // namespace scenario::tool
