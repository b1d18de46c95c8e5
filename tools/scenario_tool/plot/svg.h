// A small writer of plain SVG 1.1: elements with escaped attributes and text, opened and closed in
// order, so that every picture of `plot` is well-formed XML whatever names the files hold.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace scenario::tool {

struct Point {
  double x = 0;
  double y = 0;
};

// Name and value; the value is escaped when written.
using Attrs = std::vector<std::pair<std::string, std::string>>;

// Text fit for XML content and attribute values: the five markup characters as entities, and
// every byte that is not UTF-8 or a character XML 1.0 forbids as U+FFFD.
std::string xml_escape(std::string_view text);

// A coordinate with at most two decimals and no trailing zeros ("12.5", "-3", never "-0").
std::string svg_number(double v);

class Svg {
 public:
  // Starts a page of width × height units printed as width_mm × height_mm, with a title and a
  // description that viewers show and a white background.
  Svg(double width, double height, double width_mm, double height_mm, std::string_view title,
      std::string_view description);

  void comment(std::string_view text);
  void open(std::string_view name, const Attrs& attrs = {});
  void close();
  // A closed element with no content.
  void empty(std::string_view name, const Attrs& attrs);
  // <name attrs>text</name>.
  void with_text(std::string_view name, const Attrs& attrs, std::string_view text);

  void line(Point a, Point b, Attrs attrs);
  void rect(double x, double y, double w, double h, Attrs attrs);
  void circle(Point c, double r, Attrs attrs);
  void polyline(const std::vector<Point>& points, Attrs attrs);
  void polygon(const std::vector<Point>& points, Attrs attrs);
  void text(Point at, std::string_view content, Attrs attrs);
  // A tooltip for the element just opened.
  void title(std::string_view content);

  // Closes every open element and gives the document.
  std::string finish();

 private:
  void start_tag(std::string_view name, const Attrs& attrs);
  std::string out_;
  std::vector<std::string> open_;
};

// "x1,y1 x2,y2 ...".
std::string points_text(const std::vector<Point>& points);

}  // namespace scenario::tool
