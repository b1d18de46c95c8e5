#include "tools/plot/probe.h"

#include <stdexcept>

namespace scenario::testing {

namespace {

constexpr std::size_t kRecord = 15;

std::uint8_t byte_of(const std::string& file, std::size_t cell, std::size_t offset) {
  return static_cast<std::uint8_t>(file.at(cell * kRecord + offset));
}

}  // namespace

TickAxis::TickAxis(const XmlElement& svg, const std::string& tick_class, bool horizontal) {
  const auto ticks = with_class(svg, tick_class);
  if (ticks.size() < 2) throw std::runtime_error("fewer than two " + tick_class);
  const auto read = [&](const XmlElement* t, double& p, double& v) {
    p = std::stod(child(*t, "line").attr(horizontal ? "x1" : "y1"));
    v = std::stod(child(*t, "text").text);
  };
  read(ticks.front(), p0_, v0_);
  read(ticks.back(), p1_, v1_);
}

double TickAxis::value(double page) const { return v0_ + (page - p0_) * (v1_ - v0_) / (p1_ - p0_); }

double km_tick_x_to_metres(const XmlElement& profile, double x) {
  return TickAxis(profile, "km-tick", true).value(x) * 1000;
}

std::vector<SpeedStep> speed_steps_drawn(const XmlElement& profile) {
  const TickAxis km(profile, "km-tick", true);
  const TickAxis speed(profile, "tick-speed", false);
  std::vector<SpeedStep> steps;
  for (const XmlElement* line : with_class(profile, "speed")) {
    const auto points = parse_points(line->attr("points"));
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
      if (points[i].y != points[i + 1].y || points[i].x == points[i + 1].x) continue;
      steps.push_back(SpeedStep{km.value(points[i].x) * 1000, km.value(points[i + 1].x) * 1000,
                                speed.value(points[i].y)});
    }
  }
  return steps;
}

ElevationEnd elevation_end_drawn(const XmlElement& profile) {
  const TickAxis km(profile, "km-tick", true);
  const TickAxis elevation(profile, "tick-elevation", false);
  const auto lines = with_class(profile, "elevation");
  if (lines.empty()) throw std::runtime_error("no elevation line");
  const auto points = parse_points(lines.back()->attr("points"));
  return ElevationEnd{km.value(points.back().x) * 1000, elevation.value(points.back().y)};
}

std::vector<SpeedStep> speed_runs_in_file(const std::string& track_file) {
  std::vector<SpeedStep> runs;
  const std::size_t cells = track_file.size() / kRecord;
  for (std::size_t i = 0; i < cells; ++i) {
    const double kmh = byte_of(track_file, i, 12) * 5.0;
    const double start = static_cast<double>(i) * 50;
    if (kmh == 0) continue;
    if (!runs.empty() && runs.back().kmh == kmh && runs.back().end_m == start) {
      runs.back().end_m = start + 50;
    } else {
      runs.push_back(SpeedStep{start, start + 50, kmh});
    }
  }
  return runs;
}

double gradient_sum_in_file(const std::string& track_file) {
  double sum = 0;
  const std::size_t cells = track_file.size() / kRecord;
  for (std::size_t i = 0; i < cells; ++i) {
    const int g = byte_of(track_file, i, 13);
    if (g != 0) sum += (g - 100) * 50 / 1000.0;
  }
  return sum;
}

std::vector<int> cells_in_file(const std::string& track_file, int kind) {
  std::vector<int> out;
  const std::size_t cells = track_file.size() / kRecord;
  for (std::size_t i = 0; i < cells; ++i) {
    if (byte_of(track_file, i, 0) == kind) out.push_back(static_cast<int>(i));
  }
  return out;
}

}  // namespace scenario::testing
