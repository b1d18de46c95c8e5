#include "scenario_tool/plot/svg.h"

#include <charconv>
#include <cmath>

namespace scenario::tool {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The length of the well-formed UTF-8 sequence at `s[i]`, or 0 when it is not one.
std::size_t utf8_length(std::string_view s, std::size_t i) {
  const auto b = static_cast<unsigned char>(s[i]);
  if (b < 0x80) return 1;
  const std::size_t n = b >= 0xC2 && b <= 0xDF   ? 2
                        : b >= 0xE0 && b <= 0xEF ? 3
                        : b >= 0xF0 && b <= 0xF4 ? 4
                                                 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  unsigned cp = b & (0x7Fu >> n);  // the payload bits of the lead byte
  for (std::size_t k = 1; k < n; ++k) {
    const auto c = static_cast<unsigned char>(s[i + k]);
    if ((c & 0xC0u) != 0x80u) return 0;
    cp = (cp << 6) | (c & 0x3Fu);
  }
  const bool overlong = (n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000);
  const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
  const bool non_character = cp == 0xFFFE || cp == 0xFFFF || cp > 0x10FFFF;
  return overlong || surrogate || non_character ? 0 : n;
}

// Characters below space other than tab, line feed and carriage return are not XML.
bool forbidden_control(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b < 0x20 && b != '\t' && b != '\n' && b != '\r';
}

const char* entity(char c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    case '\'':
      return "&apos;";
    default:
      return nullptr;
  }
}

std::string attributes_text(const Attrs& attrs) {
  std::string out;
  for (const auto& [name, value] : attrs) out += ' ' + name + "=\"" + xml_escape(value) + '"';
  return out;
}

}  // namespace

std::string xml_escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = utf8_length(text, i);
    if (n == 0 || (n == 1 && forbidden_control(text[i]))) {
      out += kReplacement;
      i += n == 0 ? 1 : n;
      continue;
    }
    if (const char* e = entity(text[i])) {
      out += e;
    } else {
      out.append(text.substr(i, n));
    }
    i += n;
  }
  return out;
}

std::string svg_number(double v) {
  if (!std::isfinite(v)) return "0";
  double rounded = std::round(v * 100.0) / 100.0;
  if (rounded == 0.0) rounded = 0.0;  // no "-0"
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, rounded, std::chars_format::fixed, 2);
  std::string s(buf, r.ptr);
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

std::string points_text(const std::vector<Point>& points) {
  std::string out;
  for (const Point& p : points) {
    if (!out.empty()) out += ' ';
    out += svg_number(p.x) + ',' + svg_number(p.y);
  }
  return out;
}

Svg::Svg(double width, double height, double width_mm, double height_mm, std::string_view title,
         std::string_view description) {
  out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n";
  open("svg", {{"xmlns", "http://www.w3.org/2000/svg"},
               {"version", "1.1"},
               {"width", svg_number(width_mm) + "mm"},
               {"height", svg_number(height_mm) + "mm"},
               {"viewBox", "0 0 " + svg_number(width) + ' ' + svg_number(height)},
               {"font-family", "sans-serif"}});
  with_text("title", {}, title);
  with_text("desc", {}, description);
  rect(0, 0, width, height, {{"fill", "white"}});
}

void Svg::comment(std::string_view text) {
  std::string safe = xml_escape(text);
  // "--" may not stand inside a comment.
  for (std::size_t at = safe.find("--"); at != std::string::npos; at = safe.find("--", at)) {
    safe.replace(at, 2, "- -");
  }
  out_ += "<!-- " + safe + " -->\n";
}

void Svg::start_tag(std::string_view name, const Attrs& attrs) {
  out_ += '<';
  out_ += name;
  out_ += attributes_text(attrs);
}

void Svg::open(std::string_view name, const Attrs& attrs) {
  start_tag(name, attrs);
  out_ += ">\n";
  open_.emplace_back(name);
}

void Svg::close() {
  if (open_.empty()) return;
  out_ += "</" + open_.back() + ">\n";
  open_.pop_back();
}

void Svg::empty(std::string_view name, const Attrs& attrs) {
  start_tag(name, attrs);
  out_ += "/>\n";
}

void Svg::with_text(std::string_view name, const Attrs& attrs, std::string_view text) {
  start_tag(name, attrs);
  out_ += '>' + xml_escape(text) + "</";
  out_ += name;
  out_ += ">\n";
}

void Svg::line(Point a, Point b, Attrs attrs) {
  attrs.insert(attrs.begin(), {{"x1", svg_number(a.x)},
                               {"y1", svg_number(a.y)},
                               {"x2", svg_number(b.x)},
                               {"y2", svg_number(b.y)}});
  empty("line", attrs);
}

void Svg::rect(double x, double y, double w, double h, Attrs attrs) {
  attrs.insert(attrs.begin(), {{"x", svg_number(x)},
                               {"y", svg_number(y)},
                               {"width", svg_number(w)},
                               {"height", svg_number(h)}});
  empty("rect", attrs);
}

void Svg::circle(Point c, double r, Attrs attrs) {
  attrs.insert(attrs.begin(),
               {{"cx", svg_number(c.x)}, {"cy", svg_number(c.y)}, {"r", svg_number(r)}});
  empty("circle", attrs);
}

void Svg::polyline(const std::vector<Point>& points, Attrs attrs) {
  attrs.insert(attrs.begin(), {"points", points_text(points)});
  empty("polyline", attrs);
}

void Svg::polygon(const std::vector<Point>& points, Attrs attrs) {
  attrs.insert(attrs.begin(), {"points", points_text(points)});
  empty("polygon", attrs);
}

void Svg::text(Point at, std::string_view content, Attrs attrs) {
  attrs.insert(attrs.begin(), {{"x", svg_number(at.x)}, {"y", svg_number(at.y)}});
  with_text("text", attrs, content);
}

void Svg::title(std::string_view content) { with_text("title", {}, content); }

std::string Svg::finish() {
  while (!open_.empty()) close();
  return std::move(out_);
}

}  // namespace scenario::tool
