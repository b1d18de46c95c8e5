// `plot` on a 1000 km line built in memory (78 stations, a signal every 1350 m, a curve every
// 400 m): the boxes of the labels, as a generic sans-serif font draws them, never overlap, stay
// inside the page (the plan's inside its frame) and below the title, on the whole line, on one
// stretch and on pages of 100 km.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "format/constants.h"
#include "format/line_course.h"
#include "scenario_tool/plot/pictures.h"
#include "tools/plot/xml.h"

namespace scenario::tool {
namespace {

using testing::find_all;
using testing::parse_xml;
using testing::XmlElement;

constexpr std::int64_t kLength = 1000000;

LoadedScenario long_scenario() {
  LoadedScenario s;
  std::vector<TrackCell> track(kLength / cell_metres + 1);
  for (std::size_t i = 0; i < track.size(); ++i) {
    track[i].gradient_100 = static_cast<std::uint8_t>(100 + (i / 40) % 9 - 4);
    track[i].speed_div5 = static_cast<std::uint8_t>(16 + (i / 300) % 8);
    track[i].adhesion = 100;
  }
  for (std::size_t i = 40; i < track.size(); i += 27) track[i].kind = cell_kind::signal;
  SimTable table{};
  for (int e = 1; e <= 78; ++e) {
    SimRecord& r = table[static_cast<std::size_t>(e)];
    r.kind = 2;
    r.pos_m = (e - 1) * 12800;
    r.start_m = r.pos_m - 300;
    r.end_m = r.pos_m + 300;
    r.name = "STAZIONE " + std::to_string(e);
  }
  table[table_entry::train].end_m = kLength;
  table[table_entry::route].name = "Lunga";
  table[table_entry::codes].name = "1";
  LineCourse course(kLength);
  course.start();
  for (std::int64_t at = 400; at + 200 < kLength - 2; at += 400) {
    course.extend(at, 0.0, false);
    const int cls = static_cast<int>(at / 400 % 6);
    course.extend(at + 200,
                  (at / 800 % 2 == 0 ? 1 : -1) * curve_curvature[static_cast<std::size_t>(cls)],
                  true);
  }
  course.extend(kLength - 2, 0.0, false);
  s.track = std::move(track);
  s.table = table;
  s.line = course.geometry();
  return s;
}

const LoadedScenario& scenario() {
  static const LoadedScenario s = long_scenario();
  return s;
}

struct LabelBox {
  std::string text;
  double x0, y0, x1, y1;
};

// The box a text takes: 0.6 of its size per character (0.68 in bold), from a little above the
// baseline to a little below; upright text turned by -90 degrees runs up from its point.
LabelBox box_of(const XmlElement& t, double inherited_size) {
  const double size = t.attrs.count("font-size") ? std::stod(t.attr("font-size")) : inherited_size;
  std::size_t chars = 0;
  for (char c : t.text) chars += (static_cast<unsigned char>(c) & 0xC0u) != 0x80u ? 1 : 0;
  const bool bold = t.attrs.count("font-weight") > 0;
  const double width = static_cast<double>(chars) * size * (bold ? 0.68 : 0.6);
  const double x = std::stod(t.attr("x"));
  const double y = std::stod(t.attr("y"));
  const std::string anchor = t.attrs.count("text-anchor") ? t.attr("text-anchor") : "start";
  const bool upright = t.attrs.count("transform") > 0;
  double start = anchor == "middle" ? -width / 2 : anchor == "end" ? -width : 0;
  if (upright) return {t.text, x - size * 0.8, y - start - width, x + size * 0.2, y - start};
  return {t.text, x + start, y - size * 0.8, x + start + width, y + size * 0.2};
}

// Every text of a picture with its box; the font size comes from the text or its group.
std::vector<LabelBox> labels(const XmlElement& e, double size = 12) {
  std::vector<LabelBox> out;
  if (e.attrs.count("font-size")) size = std::stod(e.attr("font-size"));
  if (e.name == "text" && !e.has_class("title")) out.push_back(box_of(e, size));
  for (const XmlElement& c : e.children) {
    auto more = labels(c, size);
    out.insert(out.end(), more.begin(), more.end());
  }
  return out;
}

bool overlap(const LabelBox& a, const LabelBox& b) {
  return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

struct Frame {
  double x0, y0, x1, y1;
};

// No two labels overlap and each lies within the frame, the subtitle alone above it.
void expect_labels_apart_and_inside(const std::string& svg, Frame frame, const std::string& what) {
  const XmlElement root = parse_xml(svg);
  std::vector<LabelBox> boxes = labels(root);
  ASSERT_GE(boxes.size(), 10u) << what;
  boxes.erase(boxes.begin());  // the subtitle, under the title
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const LabelBox& b = boxes[i];
    EXPECT_TRUE(b.x0 >= frame.x0 && b.x1 <= frame.x1 && b.y0 >= frame.y0 && b.y1 <= frame.y1)
        << what << ": \"" << b.text << "\" at " << b.x0 << "," << b.y0 << " to " << b.x1 << ","
        << b.y1;
    for (std::size_t j = i + 1; j < boxes.size(); ++j) {
      EXPECT_FALSE(overlap(b, boxes[j]))
          << what << ": \"" << b.text << "\" and \"" << boxes[j].text << "\"";
    }
  }
}

const Frame kPlanFrame{30, 82, 1455, 1020};
const Frame kPage{0, 70, 1485, 1050};

std::vector<Picture> draw(const PlotStretch& stretch) {
  std::vector<std::string> notes;
  return draw_pictures(scenario(), ScenarioFiles{}, "long", stretch, notes);
}

TEST(PlotLongLine, LabelsStayApartInsideTheirFrameOnTheWholeLineAStretchAndPages) {
  const auto whole = draw({});
  ASSERT_EQ(whole.size(), 2u);
  expect_labels_apart_and_inside(whole[0].svg, kPlanFrame, whole[0].path);
  expect_labels_apart_and_inside(whole[1].svg, kPage, whole[1].path);
  // A tick label every 50 km: thin enough to read, dense enough to find a place.
  const XmlElement profile = parse_xml(whole[1].svg);
  const auto ticks = find_all(profile, [](const XmlElement& e) { return e.has_class("km-label"); });
  ASSERT_EQ(ticks.size(), 21u);
  EXPECT_EQ(ticks[1]->text, "50");

  const auto stretch = draw({312000, 337500, std::nullopt});
  ASSERT_EQ(stretch.size(), 2u);
  expect_labels_apart_and_inside(stretch[0].svg, kPlanFrame, stretch[0].path);
  expect_labels_apart_and_inside(stretch[1].svg, kPage, stretch[1].path);
  // The ticks point into the parsed page: keep it for as long as they are read.
  const XmlElement stretch_profile = parse_xml(stretch[1].svg);
  const auto stretch_ticks =
      find_all(stretch_profile, [](const XmlElement& e) { return e.has_class("km-label"); });
  ASSERT_FALSE(stretch_ticks.empty());
  EXPECT_GE(std::stod(stretch_ticks.front()->text), 312);
  EXPECT_LE(std::stod(stretch_ticks.back()->text), 337.5);

  const auto pages = draw({std::nullopt, std::nullopt, 100000});
  ASSERT_EQ(pages.size(), 12u);  // the plan, then 1000.05 km in eleven pages
  EXPECT_EQ(pages[1].path, "long_profile_01.svg");
  EXPECT_EQ(pages[11].path, "long_profile_11.svg");
  for (std::size_t k = 1; k < pages.size(); ++k) {
    expect_labels_apart_and_inside(pages[k].svg, kPage, pages[k].path);
  }
}

}  // namespace
}  // namespace scenario::tool
