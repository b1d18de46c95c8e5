#include "scenario_tool/plot/symbols.h"

#include <algorithm>
#include <array>

namespace scenario::tool {

namespace {

void signal_shape(Svg& svg, Point c) {
  svg.line(Point{c.x, c.y + 9}, Point{c.x, c.y - 2},
           {{"stroke", "#222222"}, {"stroke-width", "2"}});
  svg.circle(Point{c.x, c.y - 5}, 4.5,
             {{"fill", "#1d8a3a"}, {"stroke", "#0b3d18"}, {"stroke-width", "1"}});
}

void speed_board_shape(Svg& svg, Point c) {
  svg.rect(c.x - 5, c.y - 7, 10, 14,
           {{"fill", "white"}, {"stroke", "#1f3f8a"}, {"stroke-width", "2"}});
}

void warning_shape(Svg& svg, Point c) {
  svg.polygon({{c.x, c.y - 8}, {c.x + 7.5, c.y + 6}, {c.x - 7.5, c.y + 6}},
              {{"fill", "#f2c200"}, {"stroke", "#5a4500"}, {"stroke-width", "1.2"}});
}

void diamond(Svg& svg, Point c, const char* fill) {
  svg.polygon({{c.x, c.y - 7}, {c.x + 5.5, c.y}, {c.x, c.y + 7}, {c.x - 5.5, c.y}},
              {{"fill", fill}, {"stroke", "#5b2a86"}, {"stroke-width", "1.5"}});
}

void signboard_shape(Svg& svg, Point c) {
  svg.line(Point{c.x, c.y + 9}, Point{c.x, c.y}, {{"stroke", "#6b4a1f"}, {"stroke-width", "1.5"}});
  svg.rect(c.x - 7, c.y - 8, 14, 8,
           {{"fill", "#e8d5b0"}, {"stroke", "#6b4a1f"}, {"stroke-width", "1.2"}});
}

void code_marker_shape(Svg& svg, Point c) { diamond(svg, c, "#9b59d0"); }

void code_zero_shape(Svg& svg, Point c) { diamond(svg, c, "white"); }

// The class of each symbol's group, what the legend calls it, and its shape.
struct SymbolLook {
  Symbol symbol;
  const char* css_class;
  const char* label;
  void (*shape)(Svg&, Point);
};

constexpr std::array kSymbolLooks{
    SymbolLook{Symbol::signal, "sym-signal", "signal", signal_shape},
    SymbolLook{Symbol::speed_board, "sym-speed-board", "speed board", speed_board_shape},
    SymbolLook{Symbol::slowdown_warning, "sym-slowdown-warning", "slowdown warning", warning_shape},
    SymbolLook{Symbol::code_marker, "sym-code-marker", "code marker", code_marker_shape},
    SymbolLook{Symbol::code_zero, "sym-code-zero", "code marker, code below 1", code_zero_shape},
    SymbolLook{Symbol::signboard, "sym-signboard", "signboard", signboard_shape},
};

const SymbolLook& look_of(Symbol s) {
  return *std::find_if(kSymbolLooks.begin(), kSymbolLooks.end(),
                       [s](const SymbolLook& l) { return l.symbol == s; });
}

}  // namespace

std::string symbol_class(Symbol s) { return look_of(s).css_class; }

std::string symbol_label(Symbol s) { return look_of(s).label; }

void draw_symbol(Svg& svg, Symbol s, Point at, const std::string& tooltip) {
  svg.open("g", {{"class", symbol_class(s)}});
  svg.title(tooltip);
  look_of(s).shape(svg, at);
  svg.close();
}

void draw_legend_key(Svg& svg, Symbol s, Point at) {
  svg.open("g", {{"class", "legend-key"}});
  look_of(s).shape(svg, at);
  svg.close();
}

}  // namespace scenario::tool
