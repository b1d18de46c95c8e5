#include "scenario_tool/plot/symbols.h"

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

void draw_shape(Svg& svg, Symbol s, Point at) {
  switch (s) {
    case Symbol::signal:
      signal_shape(svg, at);
      break;
    case Symbol::speed_board:
      speed_board_shape(svg, at);
      break;
    case Symbol::slowdown_warning:
      warning_shape(svg, at);
      break;
    case Symbol::code_marker:
      diamond(svg, at, "#9b59d0");
      break;
    case Symbol::code_zero:
      diamond(svg, at, "white");
      break;
    case Symbol::signboard:
      signboard_shape(svg, at);
      break;
  }
}

}  // namespace

std::string symbol_class(Symbol s) {
  switch (s) {
    case Symbol::signal:
      return "sym-signal";
    case Symbol::speed_board:
      return "sym-speed-board";
    case Symbol::slowdown_warning:
      return "sym-slowdown-warning";
    case Symbol::code_marker:
      return "sym-code-marker";
    case Symbol::code_zero:
      return "sym-code-zero";
    case Symbol::signboard:
      break;
  }
  return "sym-signboard";
}

std::string symbol_label(Symbol s) {
  switch (s) {
    case Symbol::signal:
      return "signal";
    case Symbol::speed_board:
      return "speed board";
    case Symbol::slowdown_warning:
      return "slowdown warning";
    case Symbol::code_marker:
      return "code marker";
    case Symbol::code_zero:
      return "code marker, code below 1";
    case Symbol::signboard:
      break;
  }
  return "signboard";
}

void draw_symbol(Svg& svg, Symbol s, Point at, const std::string& tooltip) {
  svg.open("g", {{"class", symbol_class(s)}});
  svg.title(tooltip);
  draw_shape(svg, s, at);
  svg.close();
}

void draw_legend_key(Svg& svg, Symbol s, Point at) {
  svg.open("g", {{"class", "legend-key"}});
  draw_shape(svg, s, at);
  svg.close();
}

}  // namespace scenario::tool
