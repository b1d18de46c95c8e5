// The symbols of the profile's features, one shape and colour per kind, drawn the same in their
// lane and in the legend.
#pragma once

#include <string>

#include "scenario_tool/plot/svg.h"

namespace scenario::tool {

enum class Symbol {
  signal,
  speed_board,
  slowdown_warning,
  code_marker,
  code_zero,
  signboard,
};

// The class of the symbol's group ("sym-signal", ...), by which it can be found in the SVG.
std::string symbol_class(Symbol s);

// What the legend calls it.
std::string symbol_label(Symbol s);

// The symbol centred on `at`, as a group of the symbol's class with `tooltip` as its title.
void draw_symbol(Svg& svg, Symbol s, Point at, const std::string& tooltip);

// The same shape for the legend, in a group of class "legend-key".
void draw_legend_key(Svg& svg, Symbol s, Point at);

}  // namespace scenario::tool
