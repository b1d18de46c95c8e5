// `plot` on a hand-built scenario written by the compiler's writers: the structure of the two
// pictures (markers, bands, symbols, the elevation and speed lines read through their axes),
// what is drawn when a file is missing or damaged, and the escaping of names.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "format/decode.h"
#include "platform/paths.h"
#include "scenario_tool/plot/centre_line.h"
#include "scenario_tool/plot/pictures.h"
#include "scenario_tool/plot/plan.h"
#include "scenario_tool/plot/svg.h"
#include "scenario_tool/plot/track_series.h"
#include "scenario_tool/verbs/verbs.h"
#include "support/sample_scenario.h"
#include "support/test_support.h"
#include "tools/plot/probe.h"
#include "tools/plot/xml.h"

namespace scenario::tool {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using namespace scenario::testing;

namespace fs = std::filesystem;

struct PlotRun {
  int status = -1;
  std::string out;
  std::string err;
};

class PlotSample : public ::testing::Test {
 protected:
  void SetUp() override { write(); }
  void write() { testing::write_sample(sample_, dir_.str()); }

  std::string track() const { return dir_.file(sample_track_name()); }
  std::string table() const { return dir_.file(sample_table_name()); }
  std::string line() const { return dir_.file(sample_line_name()); }
  std::string prefix() const { return out_.file("pic"); }
  std::string plan_path() const { return prefix() + "_plan.svg"; }
  std::string profile_path() const { return prefix() + "_profile.svg"; }

  PlotRun plot(std::vector<std::string> paths) const {
    std::ostringstream out;
    std::ostringstream err;
    PlotRun r;
    RealFileSystem fs;
    r.status = run_plot(PlotOptions{std::move(paths), prefix()}, fs, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
  }
  PlotRun plot_folder() const { return plot({dir_.str()}); }

  XmlElement plan() const { return parse_xml(read_file(plan_path())); }
  XmlElement profile() const { return parse_xml(read_file(profile_path())); }

  testing::SampleScenario sample_ = sample_scenario();
  TempDir dir_;
  TempDir out_;
};

// --- the files written ---

TEST_F(PlotSample, AFolderGivesBothPicturesUnderThePrefix) {
  const PlotRun r = plot_folder();
  EXPECT_EQ(r.status, exit_code::clean);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, "wrote " + plan_path() + "\nwrote " + profile_path() + "\n");
  EXPECT_NO_THROW(plan());
  EXPECT_NO_THROW(profile());
}

TEST_F(PlotSample, BothPicturesAreTitledWithTheRouteAndTheTrain) {
  ASSERT_EQ(plot_folder().status, exit_code::clean);
  for (const XmlElement& svg : {plan(), profile()}) {
    EXPECT_EQ(svg.attr("version"), "1.1");
    EXPECT_EQ(svg.attr("xmlns"), "http://www.w3.org/2000/svg");
    EXPECT_THAT(testing::child(svg, "title").text,
                HasSubstr("Valdora_Lusa, train 24863 (VALDORA S.T.V. \u2013 S.FELDINO)"));
    EXPECT_THAT(with_class(svg, "title").at(0)->text, HasSubstr("Valdora_Lusa, train 24863"));
  }
}

TEST_F(PlotSample, ThePicturesAreSelfContained) {
  ASSERT_EQ(plot_folder().status, exit_code::clean);
  for (const std::string& path : {plan_path(), profile_path()}) {
    const std::string svg = read_file(path);
    EXPECT_THAT(svg, Not(HasSubstr("<script")));
    EXPECT_THAT(svg, Not(HasSubstr("@font-face")));
    EXPECT_THAT(svg, Not(HasSubstr("href")));
    EXPECT_THAT(svg, Not(HasSubstr("<image")));
  }
}

TEST_F(PlotSample, TheDefaultPrefixIsTheScenarioNameOfTheFiles) {
  ScenarioFiles files;
  files[FileRole::track] = WantedFile{"/x/Valdora_Lusa_24863.dat"};
  files[FileRole::line] = WantedFile{"/x/Valdora_Lusa_linea.dat"};
  EXPECT_EQ(default_prefix(files), "Valdora_Lusa_24863");
  files[FileRole::track].reset();
  EXPECT_EQ(default_prefix(files), "Valdora_Lusa");
  files[FileRole::table] = WantedFile{"a/R_7.sim"};
  EXPECT_EQ(default_prefix(files), "R_7");
}

TEST_F(PlotSample, WithoutOutputOptionTheToolWritesIntoTheCurrentFolder) {
  const TempDir here;
  const auto r = testing::run_command("cd " + testing::shell_quote(here.str()) + " && " +
                                      testing::shell_quote(SCENARIO_TOOL_PATH) + " plot " +
                                      testing::shell_quote(dir_.str()));
  EXPECT_EQ(r.exit_status, exit_code::clean) << r.err;
  EXPECT_EQ(
      testing::list_folder(here.path()),
      (std::vector<std::string>{"Valdora_Lusa_24863_plan.svg", "Valdora_Lusa_24863_profile.svg"}));
}

TEST_F(PlotSample, HelpNamesTheDefaultPrefix) {
  const auto r = testing::run_command(testing::shell_quote(SCENARIO_TOOL_PATH) + " plot --help");
  EXPECT_EQ(r.exit_status, exit_code::clean);
  EXPECT_THAT(r.out, HasSubstr("PREFIX_plan.svg"));
  EXPECT_THAT(r.out, HasSubstr("ROUTE_TRAIN"));
}

// --- the plan ---

TEST_F(PlotSample, ThePlanMarksEachStationAtThePointOfTheLineAtItsPosition) {
  ASSERT_EQ(plot_folder().status, exit_code::clean);
  const XmlElement svg = plan();
  const auto stations = with_class(svg, "station");
  ASSERT_EQ(stations.size(), 3u);
  // The sample line runs up coordinate 1, then drifts to negative coordinate 0 after 1000 m.
  const auto decoded = decode_line_file(read_file(line()));
  ASSERT_TRUE(decoded.ok());
  const PlanFrame frame = *plan_frame(decoded.value());
  const std::vector<std::pair<std::string, Point>> expected{
      {"VALDORA S.T.V.", {0, 0}}, {"MERVA", {-500, 2000}}, {"S.FELDINO", {-2000, 5000}}};
  for (std::size_t k = 0; k < expected.size(); ++k) {
    const Point at = frame.to_page(expected[k].second);
    const XmlElement& circle = testing::child(*stations[k], "circle");
    EXPECT_NEAR(std::stod(circle.attr("cx")), at.x, 0.01) << expected[k].first;
    EXPECT_NEAR(std::stod(circle.attr("cy")), at.y, 0.01) << expected[k].first;
    EXPECT_EQ(testing::child(*stations[k], "text").text, expected[k].first);
  }
}

TEST_F(PlotSample, ThePlanKeepsOneScaleForBothAxes) {
  const auto decoded = decode_line_file(read_file(line()));
  const PlanFrame frame = *plan_frame(decoded.value());
  const Point o = frame.to_page({0, 0});
  const Point east = frame.to_page({1000, 0});
  const Point north = frame.to_page({0, 1000});
  EXPECT_NEAR(east.x - o.x, o.y - north.y, 1e-9);
  EXPECT_GT(east.x, o.x);
  EXPECT_LT(north.y, o.y);  // coordinate 1 upwards
}

TEST_F(PlotSample, ThePlanDrawsTheCentreLineWithoutItsEmptyMetres) {
  // A gap of empty metres in the middle splits the line in two.
  for (std::int64_t m = 6000; m <= 6100; ++m) {
    sample_.line.set(m, 0, LineValue());
    sample_.line.set(m, 1, LineValue());
  }
  write();
  ASSERT_EQ(plot_folder().status, exit_code::clean);
  const XmlElement svg = plan();
  const auto centre = with_class(svg, "centre-line");
  ASSERT_EQ(centre.size(), 1u);
  ASSERT_EQ(centre[0]->children.size(), 2u);
  // The first piece ends at metre 5999, the second starts at 6101; the last two metres of the
  // line are empty too.
  const auto decoded = decode_line_file(read_file(line()));
  const PlanFrame frame = *plan_frame(decoded.value());
  const auto first = testing::parse_points(centre[0]->children[0].attr("points"));
  const auto second = testing::parse_points(centre[0]->children[1].attr("points"));
  const Point end_first = frame.to_page({-0.5 * 4999, 5999});
  const Point start_second = frame.to_page({-0.5 * 5101, 6101});
  const Point end_second = frame.to_page({-0.5 * 12998, 13998});
  EXPECT_NEAR(first.back().x, end_first.x, 0.01);
  EXPECT_NEAR(first.back().y, end_first.y, 0.01);
  EXPECT_NEAR(second.front().x, start_second.x, 0.01);
  EXPECT_NEAR(second.front().y, start_second.y, 0.01);
  EXPECT_NEAR(second.back().y, end_second.y, 0.01);
}

TEST_F(PlotSample, ThePlanDrawsTheTunnelOverItsStretchAndTicksEveryFiveKilometres) {
  ASSERT_EQ(plot_folder().status, exit_code::clean);
  const XmlElement svg = plan();
  const auto tunnels = with_class(svg, "tunnel");
  ASSERT_EQ(tunnels.size(), 1u);  // cells 100 to 109: 5000 to 5500 m
  const auto decoded = decode_line_file(read_file(line()));
  const PlanFrame frame = *plan_frame(decoded.value());
  const auto points = testing::parse_points(testing::child(*tunnels[0], "polyline").attr("points"));
  EXPECT_NEAR(points.front().y, frame.to_page({-2000, 5000}).y, 0.01);
  EXPECT_NEAR(points.back().y, frame.to_page({-2250, 5500}).y, 0.01);
  const auto ticks = with_class(svg, "km-tick");
  ASSERT_EQ(ticks.size(), 2u);  // 5 and 10 km of a 14 km line
  EXPECT_EQ(testing::child(*ticks[0], "text").text, "km 5");
  EXPECT_EQ(testing::child(*ticks[1], "text").text, "km 10");
}

TEST_F(PlotSample, ThePlanHasAScaleBarInKilometres) {
  ASSERT_EQ(plot_folder().status, exit_code::clean);
  const XmlElement svg = plan();
  const auto bars = with_class(svg, "scale-bar");
  ASSERT_EQ(bars.size(), 1u);
  const auto texts =
      testing::find_all(*bars[0], [](const XmlElement& e) { return e.name == "text"; });
  ASSERT_FALSE(texts.empty());
  EXPECT_THAT(texts.back()->text, ::testing::EndsWith(" km"));
}

// --- the profile ---

TEST_F(PlotSample, TheProfileHasOneBandPerStationOverItsZone) {
  ASSERT_EQ(plot_folder().status, exit_code::clean);
  const XmlElement svg = profile();
  const auto bands = with_class(svg, "station-band");
  ASSERT_EQ(bands.size(), 3u);
  struct Zone {
    const char* name;
    double start, end;
  };
  // The first zone begins before the track: it is drawn from 0.
  const std::vector<Zone> zones{
      {"VALDORA S.T.V.", 0, 400}, {"MERVA", 1700, 2350}, {"S.FELDINO", 4850, 5150}};
  for (std::size_t k = 0; k < zones.size(); ++k) {
    const XmlElement& rect = testing::child(*bands[k], "rect");
    const double x = std::stod(rect.attr("x"));
    const double w = std::stod(rect.attr("width"));
    EXPECT_NEAR(testing::km_tick_x_to_metres(svg, x), zones[k].start, 2) << zones[k].name;
    EXPECT_NEAR(testing::km_tick_x_to_metres(svg, x + w), zones[k].end, 2) << zones[k].name;
    EXPECT_EQ(testing::child(*bands[k], "text").text, zones[k].name);
  }
}

TEST_F(PlotSample, TheProfileHasOneSymbolPerFeatureCellAtItsCell) {
  ASSERT_EQ(plot_folder().status, exit_code::clean);
  const XmlElement svg = profile();
  const std::string bytes = read_file(track());
  const std::vector<std::pair<std::string, int>> kinds{
      {"sym-signal", 1},       {"sym-speed-board", 6}, {"sym-slowdown-warning", 4},
      {"sym-code-marker", 12}, {"sym-code-zero", 13},  {"sym-signboard", 14}};
  for (const auto& [cls, kind] : kinds) {
    const auto symbols = with_class(svg, cls);
    const auto cells = testing::cells_in_file(bytes, kind);
    ASSERT_EQ(symbols.size(), cells.size()) << cls;
    EXPECT_FALSE(cells.empty()) << cls;
  }
  // Each signal stands at the metres of its cell (cells 21 and 81).
  const auto signals = with_class(svg, "sym-signal");
  const double x0 = std::stod(testing::child(*signals[0], "circle").attr("cx"));
  const double x1 = std::stod(testing::child(*signals[1], "circle").attr("cx"));
  EXPECT_NEAR(testing::km_tick_x_to_metres(svg, x0), 1050, 2);
  EXPECT_NEAR(testing::km_tick_x_to_metres(svg, x1), 4050, 2);
  // The legend shows the same shapes without being counted.
  EXPECT_FALSE(with_class(svg, "legend-key").empty());
}

TEST_F(PlotSample, TheProfileDrawsSlowdownsFromStartToEndAndTunnelsAsBars) {
  ASSERT_EQ(plot_folder().status, exit_code::clean);
  const XmlElement svg = profile();
  const auto slowdowns = with_class(svg, "slowdown");
  ASSERT_EQ(slowdowns.size(), 2u);  // 61 to 64 at 30 km/h, 121 to 127 at 40 km/h
  const std::vector<std::array<double, 3>> expected{{3050, 3200, 30}, {6050, 6350, 40}};
  for (std::size_t k = 0; k < 2; ++k) {
    const XmlElement& rect = testing::child(*slowdowns[k], "rect");
    const double x = std::stod(rect.attr("x"));
    EXPECT_NEAR(testing::km_tick_x_to_metres(svg, x), expected[k][0], 2);
    EXPECT_NEAR(testing::km_tick_x_to_metres(svg, x + std::stod(rect.attr("width"))),
                expected[k][1], 2);
    EXPECT_EQ(testing::child(*slowdowns[k], "text").text, svg_number(expected[k][2]));
  }
  const auto tunnels = with_class(svg, "tunnel");
  ASSERT_EQ(tunnels.size(), 1u);
  const XmlElement& bar = testing::child(*tunnels[0], "rect");
  EXPECT_NEAR(testing::km_tick_x_to_metres(svg, std::stod(bar.attr("x"))), 5000, 2);
  EXPECT_NEAR(
      testing::km_tick_x_to_metres(svg, std::stod(bar.attr("x")) + std::stod(bar.attr("width"))),
      5500, 2);
}

TEST_F(PlotSample, TheElevationAtTheEndIsTheSumOfTheGradientsInTheTrackFile) {
  ASSERT_EQ(plot_folder().status, exit_code::clean);
  const double sum = testing::gradient_sum_in_file(read_file(track()));
  // 34 cells at +4 and 238 at -2 per mille, 50 m each.
  EXPECT_NEAR(sum, 34 * 0.2 - 238 * 0.1, 1e-9);
  const auto end = testing::elevation_end_drawn(profile());
  EXPECT_NEAR(end.elevation, sum, 0.01);
  // The last three cells carry no gradient: the line stops where they begin.
  EXPECT_NEAR(end.metres, 278 * 50, 2);
  EXPECT_NEAR(elevation_at_end(sample_.track), sum, 1e-9);
}

TEST_F(PlotSample, TheElevationClimbsAndFallsWithEachGradient) {
  const auto pieces = elevation_pieces(sample_.track);
  ASSERT_EQ(pieces.size(), 1u);
  const auto& v = pieces[0];
  ASSERT_EQ(v.size(), 4u);  // 0 m, the change at cell 6, the change at cell 40, the end
  EXPECT_EQ(v[1].metres, 300);
  EXPECT_NEAR(v[1].elevation, 0, 1e-9);
  EXPECT_EQ(v[2].metres, 2000);
  EXPECT_NEAR(v[2].elevation, 6.8, 1e-9);
  EXPECT_EQ(v[3].metres, 13900);
}

TEST_F(PlotSample, TheSpeedLineTakesTheValuesOfTheSpeedLimitStretches) {
  ASSERT_EQ(plot_folder().status, exit_code::clean);
  const auto expected = testing::speed_runs_in_file(read_file(track()));
  ASSERT_EQ(expected.size(), 2u);  // 30 km/h up to 500 m, then 115
  const auto drawn = testing::speed_steps_drawn(profile());
  ASSERT_EQ(drawn.size(), expected.size());
  for (std::size_t k = 0; k < drawn.size(); ++k) {
    EXPECT_NEAR(drawn[k].kmh, expected[k].kmh, 0.1) << k;
    EXPECT_NEAR(drawn[k].start_m, expected[k].start_m, 2) << k;
    EXPECT_NEAR(drawn[k].end_m, expected[k].end_m, 2) << k;
  }
}

TEST_F(PlotSample, PoorAdhesionIsShadedOverItsStretch) {
  ASSERT_EQ(plot_folder().status, exit_code::clean);
  const XmlElement svg = profile();
  const auto shaded = with_class(svg, "poor-adhesion");
  ASSERT_EQ(shaded.size(), 1u);  // adhesion 70 from cell 200 (10000 m) to the last written
  const XmlElement& rect = testing::child(*shaded[0], "rect");
  const double x = std::stod(rect.attr("x"));
  EXPECT_NEAR(testing::km_tick_x_to_metres(svg, x), 10000, 2);
  EXPECT_NEAR(testing::km_tick_x_to_metres(svg, x + std::stod(rect.attr("width"))), 13900, 2);
  EXPECT_EQ(poor_adhesion_stretches(sample_.track), (std::vector<Stretch>{{10000, 13900, 70}}));
}

TEST_F(PlotSample, TheProfileMarksTheEndOfTheRoute) {
  ASSERT_EQ(plot_folder().status, exit_code::clean);
  const XmlElement svg = profile();
  const auto ends = with_class(svg, "route-end");
  ASSERT_EQ(ends.size(), 1u);
  const double x = std::stod(testing::child(*ends[0], "line").attr("x1"));
  EXPECT_NEAR(testing::km_tick_x_to_metres(svg, x), 7000, 2);
}

// --- missing and damaged files ---

TEST_F(PlotSample, WithoutALineFileThePlotSaysSoAndDrawsTheProfile) {
  fs::remove(line());
  const PlotRun r = plot_folder();
  EXPECT_EQ(r.status, exit_code::clean);
  EXPECT_THAT(r.err, HasSubstr("plot: no line file " + line() +
                               " (a scenario compiled with --no-line has none)\n"));
  EXPECT_THAT(r.err, HasSubstr("plot: the plan is not drawn: it needs the line file\n"));
  EXPECT_FALSE(fs::exists(plan_path()));
  EXPECT_EQ(r.out, "wrote " + profile_path() + "\n");
  EXPECT_EQ(with_class(profile(), "station-band").size(), 3u);
}

TEST_F(PlotSample, FilesGivenWithoutALineFileGiveTheProfileOnly) {
  const PlotRun r = plot({track(), table()});
  EXPECT_EQ(r.status, exit_code::clean);
  EXPECT_EQ(r.err, "plot: the plan is not drawn: it needs the line file\n");
  EXPECT_TRUE(fs::exists(profile_path()));
  EXPECT_FALSE(fs::exists(plan_path()));
}

TEST_F(PlotSample, WithoutATableTheStationsAreLeftOutAndTheNamesComeFromTheFiles) {
  const PlotRun r = plot({track(), line()});
  EXPECT_EQ(r.status, exit_code::clean);
  EXPECT_THAT(r.err, HasSubstr("no table file: the stations are not drawn on the plan"));
  EXPECT_THAT(r.err, HasSubstr("no table file: the stations are not drawn on the profile"));
  EXPECT_TRUE(with_class(plan(), "station").empty());
  EXPECT_TRUE(with_class(profile(), "station-band").empty());
  EXPECT_EQ(with_class(profile(), "title").at(0)->text,
            "Valdora_Lusa, train 24863: profile of the line");
}

TEST_F(PlotSample, ALineFileAloneGivesThePlanWithoutTunnels) {
  const PlotRun r = plot({line()});
  EXPECT_EQ(r.status, exit_code::clean);
  EXPECT_THAT(r.err, HasSubstr("the profile is not drawn: it needs the track file"));
  EXPECT_THAT(r.err, HasSubstr("no track file: the tunnels are not drawn on the plan"));
  EXPECT_TRUE(with_class(plan(), "tunnel").empty());
  EXPECT_EQ(with_class(plan(), "title").at(0)->text, "Valdora_Lusa: plan of the line");
}

TEST_F(PlotSample, ADamagedTrackFileIsReportedAndThePlanStillDrawn) {
  write_file(track(), read_file(track()).substr(0, 22));
  const PlotRun r = plot_folder();
  EXPECT_EQ(r.status, exit_code::damaged_file);
  EXPECT_THAT(
      r.err, HasSubstr("scenario_tool: error: plot: " + track() + ": damaged track file at byte "));
  EXPECT_THAT(r.err, HasSubstr("the profile is not drawn: it needs the track file"));
  EXPECT_TRUE(fs::exists(plan_path()));
  EXPECT_FALSE(fs::exists(profile_path()));
}

TEST_F(PlotSample, ADamagedLineFileGivesTheDamagedStatusAndTheProfile) {
  write_file(line(), read_file(line()).substr(0, 5));
  const PlotRun r = plot_folder();
  EXPECT_EQ(r.status, exit_code::damaged_file);
  EXPECT_THAT(r.err, HasSubstr("damaged line file at byte"));
  EXPECT_TRUE(fs::exists(profile_path()));
}

TEST_F(PlotSample, AMissingTrackFileIsAnInputFailure) {
  fs::remove(track());
  const PlotRun r = plot_folder();
  EXPECT_EQ(r.status, exit_code::io_failure);
  EXPECT_THAT(r.err,
              HasSubstr("scenario_tool: error: plot: cannot find the track file " + track()));
  EXPECT_TRUE(fs::exists(plan_path()));
}

// --from, --to and --page-km: what is wrong usage, which files a stretch gives, and that a
// profile of a stretch draws only the features within it (the sample: 14.05 km of track, signals
// at 1.05 and 4.05 km).
TEST_F(PlotSample, AStretchAndItsPagesDrawOnlyWhatLiesWithinThem) {
  struct Case {
    std::optional<double> from, to, page;
    int status;
    std::vector<std::string> files;  // written, after the prefix
    std::size_t signals;             // signal symbols on the first profile
  };
  const std::vector<Case> cases{
      {-1, std::nullopt, std::nullopt, exit_code::usage, {}, 0},
      {3, 3, std::nullopt, exit_code::usage, {}, 0},
      {std::nullopt, 0, std::nullopt, exit_code::usage, {}, 0},
      {std::nullopt, std::nullopt, 0.05, exit_code::usage, {}, 0},
      {0.5, 3, std::nullopt, exit_code::clean, {"_plan.svg", "_profile.svg"}, 1},
      {0.5,
       4.1,
       1.5,
       exit_code::clean,
       {"_plan.svg", "_profile_01.svg", "_profile_02.svg", "_profile_03.svg"},
       1},
      {5, 99, std::nullopt, exit_code::clean, {"_plan.svg", "_profile.svg"}, 0},
  };
  for (const Case& c : cases) {
    TempDir out;
    std::ostringstream o;
    std::ostringstream e;
    RealFileSystem fs;
    PlotOptions options{{dir_.str()}, out.file("p"), c.from, c.to, c.page};
    EXPECT_EQ(run_plot(options, fs, o, e), c.status) << e.str();
    std::vector<std::string> expected;
    for (const std::string& f : c.files) expected.push_back("p" + f);
    EXPECT_EQ(testing::list_folder(out.path()), expected) << e.str();
    if (c.files.size() < 2) continue;
    const XmlElement first = parse_xml(read_file(out.file("p" + c.files[1])));
    EXPECT_EQ(with_class(first, "sym-signal").size(), c.signals);
    if (c.to == 99) {
      EXPECT_THAT(e.str(), HasSubstr("the track ends at km 14.050"));
    }
  }
}

TEST_F(PlotSample, ATableAloneHasNothingToDraw) {
  const PlotRun r = plot({table()});
  EXPECT_EQ(r.status, exit_code::usage);
  EXPECT_THAT(r.err, HasSubstr("scenario_tool: error: nothing to draw: "));
}

TEST_F(PlotSample, AFolderWithNoScenarioIsReportedAsInspectDoes) {
  const TempDir empty;
  const PlotRun r = plot({empty.str()});
  EXPECT_EQ(r.status, exit_code::io_failure);
  EXPECT_THAT(r.err, HasSubstr("scenario_tool: error: plot: no compiled scenario in "));
}

// -o names a folder, made when missing, and --prefix keeps the old spelling; a folder that cannot
// be made (a file stands in its place) is an output failure naming it.
TEST_F(PlotSample, TheOutputFolderIsMadeWhenMissingAndAFileInItsWayIsAnOutputFailure) {
  RealFileSystem fs;
  std::ostringstream out;
  std::ostringstream err;
  PlotOptions into_folder{{dir_.str()}};
  into_folder.out_dir = out_.file("no/such/folder");
  ASSERT_EQ(run_plot(into_folder, fs, out, err), exit_code::clean) << err.str();
  const std::string stem = file_stem(table());
  EXPECT_TRUE(std::filesystem::is_regular_file(out_.file("no/such/folder/" + stem + "_plan.svg")));
  ASSERT_EQ(run_plot(PlotOptions{{dir_.str()}, out_.file("made/too/pic")}, fs, out, err),
            exit_code::clean)
      << err.str();
  EXPECT_TRUE(std::filesystem::is_regular_file(out_.file("made/too/pic_profile.svg")));

  std::ofstream(out_.file("a_file")) << "x";
  std::ostringstream refused;
  EXPECT_EQ(run_plot(PlotOptions{{dir_.str()}, out_.file("a_file/pic")}, fs, out, refused),
            exit_code::io_failure);
  EXPECT_THAT(refused.str(),
              HasSubstr("scenario_tool: error: cannot create the folder " + out_.file("a_file")));
}

// --- names ---

TEST_F(PlotSample, NamesWithMarkupCharactersAreEscaped) {
  sample_.table[2].name = "A & B <C> \"D\" 'E'";
  write();
  ASSERT_EQ(plot_folder().status, exit_code::clean);
  const std::string raw = read_file(plan_path());
  EXPECT_THAT(raw, HasSubstr("A &amp; B &lt;C&gt; &quot;D&quot; &apos;E&apos;"));
  EXPECT_EQ(testing::child(*with_class(plan(), "station")[1], "text").text, sample_.table[2].name);
  EXPECT_EQ(testing::child(*with_class(profile(), "station-band")[1], "text").text,
            sample_.table[2].name);
}

TEST_F(PlotSample, ALongStationNameIsShortenedOverTheProfileButWholeInItsTooltip) {
  sample_.table[2].name = "STAZIONE DAL NOME DAVVERO MOLTO LUNGO";
  write();
  ASSERT_EQ(plot_folder().status, exit_code::clean);
  const XmlElement svg = profile();
  const XmlElement& band = *with_class(svg, "station-band")[1];
  EXPECT_EQ(testing::child(band, "text").text, "STAZIONE DAL NOME \u2026");
  EXPECT_THAT(testing::child(band, "title").text, HasSubstr(sample_.table[2].name));
}

TEST(XmlEscape, MarkupBecomesEntitiesAndBadBytesTheReplacementCharacter) {
  EXPECT_EQ(xml_escape("a<b>&\"'"), "a&lt;b&gt;&amp;&quot;&apos;");
  EXPECT_EQ(xml_escape("Citt\xC3\xA0"), "Citt\xC3\xA0");
  EXPECT_EQ(xml_escape("x\xE0y"), "x\xEF\xBF\xBDy");              // Windows-1252, not UTF-8
  EXPECT_EQ(xml_escape("x\x01y"), "x\xEF\xBF\xBDy");              // not allowed in XML
  EXPECT_EQ(xml_escape("\xC0\xAF"), "\xEF\xBF\xBD\xEF\xBF\xBD");  // overlong
  EXPECT_EQ(xml_escape("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");  // surrogate
  EXPECT_EQ(xml_escape("tab\tnew\n"), "tab\tnew\n");
}

TEST(XmlEscape, ATitleOfAnyBytesStillParses) {
  std::string name;
  for (int b = 0; b < 256; ++b) name += static_cast<char>(b);
  Svg svg(100, 100, 10, 10, name, name);
  svg.comment("a -- b -");
  svg.text(Point{1, 2}, name, {{"data", name}});
  EXPECT_NO_THROW(parse_xml(svg.finish()));
}

TEST(SvgNumber, TwoDecimalsAtMostAndNoNegativeZero) {
  EXPECT_EQ(svg_number(12.5), "12.5");
  EXPECT_EQ(svg_number(3.0), "3");
  EXPECT_EQ(svg_number(-0.001), "0");
  EXPECT_EQ(svg_number(-1.256), "-1.26");
  EXPECT_EQ(svg_number(1e6), "1000000");
}

// --- thinning the line ---

TEST(Simplify, AStraightRunKeepsItsEndsOnly) {
  std::vector<Point> line;
  for (int i = 0; i <= 1000; ++i) line.push_back({i * 0.5, i * 0.25});
  const auto kept = simplify(line, 0.1);
  ASSERT_EQ(kept.size(), 2u);
  EXPECT_EQ(kept.front().x, 0);
  EXPECT_EQ(kept.back().x, 500);
}

TEST(Simplify, NoPointLeftOutLiesFartherThanTheTolerance) {
  std::vector<Point> curve;
  for (int i = 0; i <= 5000; ++i) {
    const double t = i / 5000.0 * 6.283;
    curve.push_back({100 * std::cos(t) + i * 0.01, 60 * std::sin(3 * t)});
  }
  const double tolerance = 0.1;
  const auto kept = simplify(curve, tolerance);
  EXPECT_LT(kept.size(), curve.size() / 10);
  // Every point of the curve is near a segment of the kept line.
  for (const Point& p : curve) {
    double best = 1e9;
    for (std::size_t k = 0; k + 1 < kept.size(); ++k) {
      const Point a = kept[k];
      const Point b = kept[k + 1];
      const double dx = b.x - a.x, dy = b.y - a.y;
      double t = ((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy);
      t = std::clamp(t, 0.0, 1.0);
      best = std::min(best, std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy));
    }
    ASSERT_LE(best, tolerance + 1e-9);
  }
}

TEST(DrawnRuns, EmptyAndNonFiniteMetresSplitTheLine) {
  LineGeometry g(9);
  for (std::int64_t m = 0; m <= 9; ++m) {
    g.set(m, 0, LineValue::real(static_cast<double>(m)));
    g.set(m, 1, LineValue::real(0));
  }
  g.set(3, 1, LineValue());
  g.set(6, 0, LineValue::real(std::nan("")));
  const auto runs = drawn_runs(g, 0, 9);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].first, 0);
  EXPECT_EQ(runs[0].last, 2);
  EXPECT_EQ(runs[1].first, 4);
  EXPECT_EQ(runs[1].last, 5);
  EXPECT_EQ(runs[2].first, 7);
  EXPECT_EQ(runs[2].last, 9);
}

}  // namespace
}  // namespace scenario::tool
