// Keeps the names on a picture apart: each label is moved up or down by whole lines of text
// until it overlaps none placed before it.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "scenario_tool/plot/centre_line.h"
#include "scenario_tool/plot/svg.h"

namespace scenario::tool {

// The width a text is taken to have: a generic sans-serif font is narrower than this on
// average, so that an estimate errs towards keeping labels apart.
double text_width(std::string_view utf8, double size, bool bold);

class LabelPlacer {
 public:
  // The baseline point for a label of the given width and size whose preferred baseline point
  // is `at`, anchored as SVG's text-anchor ("start", "middle" or "end"); the label is then taken.
  // None when no place near `at` is free and within the bounds: the label is then left out.
  std::optional<Point> place(Point at, double width, double size, std::string_view anchor);

  // Keeps every label inside `bounds` (a picture's frame, below its title).
  void keep_within(const Box& bounds) { bounds_ = bounds; }

  // The labels left out for want of room.
  int left_out() const { return left_out_; }

  // Space no label may take (a marker, a symbol).
  void reserve(const Box& box) { taken_.push_back(box); }

 private:
  bool free(const Box& box) const;
  std::vector<Box> taken_;
  std::optional<Box> bounds_;
  int left_out_ = 0;
};

}  // namespace scenario::tool
