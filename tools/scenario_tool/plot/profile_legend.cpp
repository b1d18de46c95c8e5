#include "scenario_tool/plot/profile_legend.h"

#include <functional>
#include <string>
#include <vector>

#include "scenario_tool/plot/symbols.h"

namespace scenario::tool {

namespace {

constexpr int kColumns = 5;
constexpr double kRowHeight = 26;

// Draws the key of an entry centred on a point.
using Key = std::function<void(Svg&, Point)>;

struct Entry {
  Key key;
  std::string label;
};

Key line_key(const char* colour, const char* dash) {
  return [=](Svg& svg, Point c) {
    Attrs a{{"stroke", colour}, {"stroke-width", "2.5"}};
    if (dash != nullptr) a.emplace_back("stroke-dasharray", dash);
    svg.line(Point{c.x - 16, c.y}, Point{c.x + 16, c.y}, a);
  };
}

Key box_key(Attrs attrs, double height) {
  return [=](Svg& svg, Point c) { svg.rect(c.x - 16, c.y - height / 2, 32, height, attrs); };
}

Key symbol_key(Symbol s) {
  return [=](Svg& svg, Point c) { draw_legend_key(svg, s, c); };
}

std::vector<Entry> entries() {
  return {
      {line_key(page::elevation_ink, nullptr), "elevation"},
      {line_key(page::speed_ink, nullptr), "line speed limit"},
      {box_key({{"fill", page::station_band}, {"fill-opacity", "0.22"}}, 16), "station zone"},
      {box_key({{"fill", page::poor_adhesion_tint}}, 16), "poor adhesion"},
      {line_key(page::route_end_ink, "6 4"), "end of route"},
      {symbol_key(Symbol::signal), symbol_label(Symbol::signal)},
      {symbol_key(Symbol::speed_board), symbol_label(Symbol::speed_board)},
      {symbol_key(Symbol::slowdown_warning), symbol_label(Symbol::slowdown_warning)},
      {box_key({{"fill", page::slowdown_fill}, {"stroke", page::slowdown_ink}}, 10),
       "slowdown, start to end"},
      {symbol_key(Symbol::code_marker), symbol_label(Symbol::code_marker)},
      {symbol_key(Symbol::code_zero), symbol_label(Symbol::code_zero)},
      {symbol_key(Symbol::signboard), symbol_label(Symbol::signboard)},
      {box_key({{"fill", page::tunnel_ink}}, 12), "tunnel"},
      {box_key({{"fill", page::curve_ink}, {"fill-opacity", "0.7"}}, 10),
       "curve: up right, down left"},
  };
}

}  // namespace

void draw_profile_legend(Svg& svg, const ProfileLayout& layout) {
  const double column_width = (layout.right - layout.left) / kColumns;
  svg.open("g", {{"class", "legend"}, {"font-size", svg_number(page::label_size)}});
  const auto all = entries();
  for (std::size_t k = 0; k < all.size(); ++k) {
    const auto column = static_cast<double>(k % kColumns);
    const auto row = static_cast<double>(k / kColumns);
    const Point key{layout.left + column * column_width + 20, layout.legend_top + row * kRowHeight};
    all[k].key(svg, key);
    svg.text(Point{key.x + 26, key.y + page::label_size * 0.35}, all[k].label,
             {{"fill", page::ink}});
  }
  svg.close();
}

}  // namespace scenario::tool
