// `view` on a hand-built scenario whose line is a compiled course of known curves: the levels of
// detail keep every point of the line and of the series within their tolerance, the page carries
// the report of `inspect --json --cells` unchanged with the features worded as the reference
// words them, nothing in a name can break out of the page's data, and what a missing file does.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

#include "format/constants.h"
#include "format/line_course.h"
#include "platform/paths.h"
#include "scenario_tool/verbs/verbs.h"
#include "scenario_tool/view/detail_levels.h"
#include "scenario_tool/view/page_data.h"
#include "support/sample_scenario.h"
#include "support/test_support.h"

namespace scenario::tool {
namespace {

using nlohmann::json;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::read_file;
using testing::TempDir;

double distance_to_segment(Point p, Point a, Point b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double l2 = dx * dx + dy * dy;
  const double t = l2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / l2, 0.0, 1.0) : 0;
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// The largest distance of any point from the polyline through the kept ones (indices, sorted,
// the first and last included).
double worst_stray(const std::vector<Point>& points, const std::vector<std::size_t>& kept) {
  double worst = 0;
  for (std::size_t k = 0; k + 1 < kept.size(); ++k) {
    for (std::size_t i = kept[k] + 1; i < kept[k + 1]; ++i) {
      worst = std::max(worst, distance_to_segment(points[i], points[kept[k]], points[kept[k + 1]]));
    }
  }
  return worst;
}

struct Curve {
  std::int64_t from = 0;  // the first curved row
  std::int64_t to = 0;    // the last
  int curve_class = 0;
  int side = 0;
};

// A course straight, then along the curves given, straight between them.
LineCourse course_with(std::int64_t last_m, const std::vector<Curve>& curves) {
  LineCourse course(last_m);
  course.start();
  for (const Curve& c : curves) {
    course.extend(c.from - 1, 0.0, false);
    course.extend(c.to, c.side * curve_curvature[static_cast<std::size_t>(c.curve_class - 1)],
                  true);
  }
  course.extend(last_m - 2, 0.0, false);
  return course;
}

// Curves of every class and side, as the sample's line.
const std::vector<Curve> kCurves{{1001, 1800, 4, 1},  {2301, 2500, 6, -1}, {3001, 4200, 1, 1},
                                 {5001, 5600, 5, -1}, {7001, 7300, 3, 1},  {9001, 9900, 2, -1},
                                 {11001, 11400, 6, 1}};

TEST(DetailLevels, NoMetreOfTheLineStraysFromTheLineDrawnAtAnyLevel) {
  const LineGeometry line = course_with(14000, kCurves).geometry();
  const Json plan = plan_data(line);
  const auto tolerances = plan.at("tolerances").get<std::vector<double>>();
  ASSERT_GE(tolerances.size(), 8u);
  EXPECT_DOUBLE_EQ(tolerances.back(), plan_finest_metres);
  std::vector<Point> metres;
  for (std::int64_t m = 0; m <= line.last_m() - 2; ++m) {
    metres.push_back(Point{std::round(line.number(m, 0) * 100) / 100,
                           std::round(line.number(m, 1) * 100) / 100});
  }
  const auto ms = plan.at("m").get<std::vector<std::size_t>>();
  const auto levels = plan.at("level").get<std::vector<int>>();
  std::size_t previous_count = 0;
  for (std::size_t l = 0; l < tolerances.size(); ++l) {
    std::vector<std::size_t> kept;
    for (std::size_t i = 0; i < ms.size(); ++i) {
      if (levels[i] <= static_cast<int>(l)) kept.push_back(ms[i]);
    }
    ASSERT_EQ(kept.front(), 0u);
    ASSERT_EQ(kept.back(), metres.size() - 1);
    EXPECT_LE(worst_stray(metres, kept), tolerances[l] + 1e-9) << "level " << l;
    EXPECT_GE(kept.size(), previous_count);
    previous_count = kept.size();
  }
  // Thinned indeed: the whole line in a few points, and far fewer than a point a metre at the
  // finest level.
  EXPECT_LE(std::count(levels.begin(), levels.end(), 0), 20);
  EXPECT_LT(ms.size(), metres.size() / 10);
}

TEST(DetailLevels, EveryDroppedPointOfASeriesLiesWithinAPixelAtItsLevel) {
  std::mt19937 random(17);
  std::vector<Point> series{{0, 0}};
  for (int i = 1; i < 3000; ++i) {
    const double x = series.back().x + std::uniform_real_distribution<double>(1, 400)(random);
    const double y = series.back().y + std::normal_distribution<double>(0, 3)(random);
    series.push_back(Point{x, y});
  }
  const std::vector<double> x_per_pixel{2000, 200, 20, 2};
  const double y_per_pixel = 0.4;
  const auto levels = series_levels(series, x_per_pixel, y_per_pixel);
  ASSERT_EQ(levels.size(), x_per_pixel.size());
  for (std::size_t l = 0; l < levels.size(); ++l) {
    std::vector<Point> in_pixels;
    for (const Point& p : series) in_pixels.push_back({p.x / x_per_pixel[l], p.y / y_per_pixel});
    ASSERT_EQ(levels[l].front(), 0u);
    ASSERT_EQ(levels[l].back(), series.size() - 1);
    EXPECT_LE(worst_stray(in_pixels, levels[l]), 1.0) << "level " << l;
  }
  EXPECT_LT(levels.front().size() * 4, levels.back().size());
}

class ViewSample : public ::testing::Test {
 protected:
  void SetUp() override {
    sample_.line = course_with(14000, kCurves).geometry();
    write();
  }
  void write() { testing::write_sample(sample_, dir_.str()); }
  std::string page_path() const { return out_.file("page.html"); }

  int view(std::vector<std::string> paths) {
    std::ostringstream out;
    std::ostringstream err;
    RealFileSystem fs;
    const int status = run_view(ViewOptions{std::move(paths), page_path()}, fs, out, err);
    out_text_ = out.str();
    err_text_ = err.str();
    return status;
  }

  std::string page() const { return read_file(page_path()); }

  // The JSON the page's script reads.
  json page_data() const {
    const std::string p = page();
    const std::string open = "<script type=\"application/json\" id=\"scenario-data\">";
    const auto from = p.find(open);
    EXPECT_NE(from, std::string::npos);
    const auto to = p.find("</script>", from);
    return json::parse(p.substr(from + open.size(), to - from - open.size()));
  }

  json inspect_cells() const {
    std::ostringstream out;
    std::ostringstream err;
    RealFileSystem fs;
    run_inspect(InspectOptions{{dir_.str()}, true, true}, fs, out, err);
    return json::parse(out.str());
  }

  testing::SampleScenario sample_ = testing::sample_scenario();
  TempDir dir_;
  TempDir out_;
  std::string out_text_;
  std::string err_text_;
};

TEST_F(ViewSample, ThePageCarriesTheReportOfInspectAndNeedsNothingOutside) {
  ASSERT_EQ(view({dir_.str()}), exit_code::clean) << err_text_;
  EXPECT_EQ(out_text_, "wrote " + page_path() + "\n");
  const std::string p = page();
  EXPECT_EQ(p.rfind("<!DOCTYPE html>", 0), 0u);
  // Self-contained: no script, style, font or image fetched from anywhere.
  EXPECT_THAT(p, Not(HasSubstr("src=")));
  EXPECT_THAT(p, Not(HasSubstr("url(http")));
  EXPECT_THAT(p, Not(HasSubstr("@import")));
  EXPECT_THAT(p, Not(HasSubstr("{{")));
  const json data = page_data();
  // The decoded meanings are exactly those of inspect --cells.
  EXPECT_EQ(data.at("report"), inspect_cells());
  EXPECT_EQ(data.at("report").at("cells").size(), data.at("cell_words").size());
}

TEST_F(ViewSample, FeaturesAreWordedAsTheReferenceWordsTheirFields) {
  ASSERT_EQ(view({dir_.str()}), exit_code::clean) << err_text_;
  const json data = page_data();
  const json& cells = data.at("report").at("cells");
  std::string signal;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (cells[i].at("index") == 21) signal = data.at("cell_words")[i];
  }
  // Cell 21: sx 2, s 2 3 1, rapp 1 / dx 2, d 2 1 1, time 190.
  EXPECT_THAT(signal, HasSubstr("signal at km 1.050 (cell 21)"));
  EXPECT_THAT(signal, HasSubstr("left-hand aspect value 1 \u2014 2\n"));
  EXPECT_THAT(signal, HasSubstr("left-hand aspect value 2 \u2014 3\n"));
  EXPECT_THAT(signal, HasSubstr("right-hand aspect value 1 \u2014 2\n"));
  EXPECT_THAT(signal, HasSubstr("the left-hand further value \u2014 1\n"));
  EXPECT_THAT(signal, HasSubstr("1 to 100 become 101 \u2014 190 s"));
  EXPECT_THAT(signal, Not(HasSubstr("aspects")));
  EXPECT_THAT(data.at("station_words")[1].get<std::string>(), HasSubstr("MERVA\n"));
}

TEST_F(ViewSample, CurvesComeBackAsTheCourseWasBuilt) {
  ASSERT_EQ(view({dir_.str()}), exit_code::clean) << err_text_;
  const json curves = page_data().at("curves");
  EXPECT_TRUE(curves.at("broken").is_null());
  ASSERT_EQ(curves.at("stretches").size(), kCurves.size());
  for (std::size_t i = 0; i < kCurves.size(); ++i) {
    const json& c = curves.at("stretches")[i];
    EXPECT_EQ(c.at("start_m"), kCurves[i].from - 1);
    EXPECT_EQ(c.at("end_m"), kCurves[i].to);
    EXPECT_EQ(c.at("class"), kCurves[i].curve_class);
    EXPECT_EQ(c.at("side"), kCurves[i].side > 0 ? "right" : "left");
    EXPECT_NEAR(c.at("radius_m").get<double>(),
                1 / curve_curvature[static_cast<std::size_t>(kCurves[i].curve_class - 1)], 0.5);
  }
  EXPECT_THAT(curves.at("stretches")[0].at("words").get<std::string>(),
              HasSubstr("right-hand curve of class 4, radius 1000 m, from km 1.000 to km 1.800"));
}

TEST_F(ViewSample, TheFindingsOfCheckAreMarkedAsCheckTellsThem) {
  sample_.track[200].gradient_100 = 160;  // 60 per mille, steeper than check allows
  write();
  ASSERT_EQ(view({dir_.str()}), exit_code::clean) << err_text_;
  std::ostringstream out;
  std::ostringstream err;
  RealFileSystem fs;
  CheckOptions check;
  check.paths = {dir_.str()};
  check.json = true;
  run_check(check, fs, out, err);
  const json told = json::parse(out.str()).at("findings");
  const json marked = page_data().at("findings");
  ASSERT_GE(told.size(), 1u);
  ASSERT_EQ(marked.size(), told.size());
  for (std::size_t i = 0; i < told.size(); ++i) {
    EXPECT_EQ(marked[i].at("position_m"), told[i].at("position_m"));
    EXPECT_EQ(marked[i].at("severity"), told[i].at("severity"));
    EXPECT_EQ(marked[i].at("message"), told[i].at("message"));
    EXPECT_EQ(marked[i].at("check_id"), told[i].at("check"));
  }
}

TEST_F(ViewSample, NoNameCanEndThePagesDataOrScript) {
  sample_.table[2].name = "</script><script>alert(1)</script><!--";
  write();
  ASSERT_EQ(view({dir_.str()}), exit_code::clean) << err_text_;
  const std::string p = page();
  std::size_t closers = 0;
  for (auto at = p.find("</script>"); at != std::string::npos; at = p.find("</script>", at + 1)) {
    ++closers;
  }
  EXPECT_EQ(closers, 2u);  // the data's and the script's own
  // Nor can it end the tables written for a browser without JavaScript.
  EXPECT_EQ(p.find("</noscript>"), p.rfind("</noscript>"));
  EXPECT_THAT(p, HasSubstr("<td>&lt;/script&gt;&lt;script&gt;alert(1)&lt;/script&gt;&lt;!--</td>"));
  EXPECT_EQ(page_data().at("report").at("stations")[1].at("name"), sample_.table[2].name);
}

// The gradient lane: every cell whose gradient was written lies in exactly one stretch of its
// value, and two stretches that touch differ in value.
TEST_F(ViewSample, TheGradientStretchesAreTheCellsRunByRun) {
  std::mt19937 random(7);
  for (std::size_t i = 40; i < sample_.track.size(); i += 1 + random() % 9) {
    const auto g = static_cast<int>(random() % 5) - 2;
    for (std::size_t j = i; j < std::min(i + 6, sample_.track.size()); ++j) {
      sample_.track[j].gradient_100 = static_cast<std::uint8_t>(g == -2 ? 0 : 100 + g * 7);
    }
  }
  write();
  ASSERT_EQ(view({dir_.str()}), exit_code::clean) << err_text_;
  const json stretches = page_data().at("gradients");
  ASSERT_GT(stretches.size(), 10u);
  std::vector<int> covered(sample_.track.size(), 0);
  for (std::size_t k = 0; k < stretches.size(); ++k) {
    const json& s = stretches[k];
    const std::int64_t from = s.at("start_m").get<std::int64_t>() / 50;
    const std::int64_t to = s.at("end_m").get<std::int64_t>() / 50;
    for (std::int64_t c = from; c < to; ++c) {
      const auto cell = static_cast<std::size_t>(c);
      EXPECT_EQ(sample_.track[cell].gradient_100 - 100, s.at("per_mille")) << "cell " << c;
      ++covered[cell];
    }
    if (k > 0 && stretches[k - 1].at("end_m") == s.at("start_m")) {
      EXPECT_NE(stretches[k - 1].at("per_mille"), s.at("per_mille"));
    }
  }
  for (std::size_t c = 0; c < covered.size(); ++c) {
    EXPECT_EQ(covered[c], sample_.track[c].gradient_100 == 0 ? 0 : 1) << "cell " << c;
  }
}

// -o names a folder, made when missing, that receives ROUTE_TRAIN.html; a name ending in .html
// is the page itself, its folder made too.
TEST_F(ViewSample, TheOutputIsAFolderMadeWhenMissingOrAPageEndingInHtml) {
  RealFileSystem fs;
  std::ostringstream o;
  std::ostringstream e;
  const std::string stem = file_stem(dir_.file(testing::sample_table_name()));
  ASSERT_EQ(run_view(ViewOptions{{dir_.str()}, out_.file("new/folder")}, fs, o, e),
            exit_code::clean)
      << e.str();
  EXPECT_EQ(testing::list_folder(out_.file("new/folder")),
            std::vector<std::string>{stem + ".html"});
  ASSERT_EQ(run_view(ViewOptions{{dir_.str()}, out_.file("other/mine.html")}, fs, o, e),
            exit_code::clean)
      << e.str();
  EXPECT_EQ(testing::list_folder(out_.file("other")), std::vector<std::string>{"mine.html"});
}

TEST_F(ViewSample, AMissingFileLeavesOutItsPartAndNothingToShowIsWrongUsage) {
  ASSERT_EQ(view({dir_.file(testing::sample_line_name())}), exit_code::clean);
  EXPECT_THAT(err_text_, HasSubstr("view: no track file: the page has no profile"));
  EXPECT_TRUE(page_data().at("profile").is_null());
  EXPECT_FALSE(page_data().at("plan").is_null());

  TempDir out;
  std::ostringstream o;
  std::ostringstream e;
  RealFileSystem fs;
  const std::string path = out.file("none.html");
  EXPECT_EQ(run_view(ViewOptions{{dir_.file(testing::sample_table_name())}, path}, fs, o, e),
            exit_code::usage);
  EXPECT_THAT(e.str(), HasSubstr("scenario_tool: error: nothing to show"));
  EXPECT_TRUE(testing::list_folder(out.path()).empty());
}

}  // namespace
}  // namespace scenario::tool
