// `plot` on the files the real generator writes for the built-in scenario: the structure of both
// pictures against the bytes of the track file, their size, and a real SVG renderer that turns
// them into the PNG pictures kept as artefacts (and shown in the README).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "scenario_tool/verbs/verbs.h"
#include "support/test_support.h"
#include "tools/plot/probe.h"
#include "tools/plot/xml.h"

namespace scenario::tool {
namespace {

using ::testing::HasSubstr;
using testing::read_file;
using testing::run_command;
using testing::shell_quote;
using testing::TempDir;
using testing::with_class;
using testing::XmlElement;

namespace fs = std::filesystem;

const std::vector<std::string> kStationNames{
    "VALDORA S.T.V.", "VALDORA CORVELI", "VALDORA PRASINE", "S.FELDINO", "MERVA",    "FONTEGRAVO",
    "SASSOLEGO",      "ORVENA",          "S.CORSIGO",       "S.TEBALO",  "LA BRISA", "MARZELONE",
    "PERLADA",        "S.BALDIERO",      "CORNETOLA",       "LUSA C.le"};

// Runs the generator once, and plots its files once, for every test of the suite.
class PlotGeneratore : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    ASSERT_TRUE(fs::exists(GENERATORE_PATH)) << "build generatore first";
    fs::copy_file(GENERATORE_PATH, dir_->path() / "generatore");
    const auto r =
        run_command("cd " + shell_quote(dir_->str()) + " && env -u DISPLAY ./generatore");
    ASSERT_EQ(r.exit_status, 0) << r.err;
    std::ostringstream out;
    std::ostringstream err;
    RealFileSystem fs;
    status_ = run_plot(PlotOptions{{dir_->str()}, prefix()}, fs, out, err);
    err_ = err.str();
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }

  static std::string prefix() { return dir_->file("pictures"); }
  static std::string plan_path() { return prefix() + "_plan.svg"; }
  static std::string profile_path() { return prefix() + "_profile.svg"; }
  static std::string track() { return dir_->file("Valdora_Lusa_24863.dat"); }

  static TempDir* dir_;
  static int status_;
  static std::string err_;
};

TempDir* PlotGeneratore::dir_ = nullptr;
int PlotGeneratore::status_ = -1;
std::string PlotGeneratore::err_;

std::vector<std::string> texts_of(const std::vector<const XmlElement*>& groups) {
  std::vector<std::string> out;
  for (const XmlElement* g : groups) out.push_back(testing::child(*g, "text").text);
  return out;
}

// Width and height from the header of a PNG file; {0, 0} when it is not one.
std::pair<std::uint32_t, std::uint32_t> png_size(const std::string& bytes) {
  if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return {0, 0};
  const auto be32 = [&](std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t k = 0; k < 4; ++k) v = (v << 8) | static_cast<std::uint8_t>(bytes[at + k]);
    return v;
  };
  return {be32(16), be32(20)};
}

TEST_F(PlotGeneratore, BothPicturesAreWrittenWithoutAWord) {
  EXPECT_EQ(status_, exit_code::clean);
  EXPECT_EQ(err_, "");
}

TEST_F(PlotGeneratore, ThePlanMarksTheSixteenStations) {
  const XmlElement svg = testing::parse_xml(read_file(plan_path()));
  EXPECT_EQ(texts_of(with_class(svg, "station")), kStationNames);
  EXPECT_EQ(with_class(svg, "tunnel").size(), 2u);
  // 89001 metres: every 5 km up to 85.
  EXPECT_EQ(with_class(svg, "km-tick").size(), 17u);
}

TEST_F(PlotGeneratore, TheProfileHasABandPerStationAndASymbolPerSignalCell) {
  const XmlElement svg = testing::parse_xml(read_file(profile_path()));
  EXPECT_EQ(texts_of(with_class(svg, "station-band")), kStationNames);
  const std::string bytes = read_file(track());
  EXPECT_EQ(with_class(svg, "sym-signal").size(), 42u);
  EXPECT_EQ(with_class(svg, "sym-signal").size(), testing::cells_in_file(bytes, 1).size());
  EXPECT_EQ(with_class(svg, "sym-speed-board").size(), 19u);
  EXPECT_EQ(with_class(svg, "sym-slowdown-warning").size(), 3u);
  EXPECT_EQ(with_class(svg, "slowdown").size(), 3u);
  EXPECT_EQ(with_class(svg, "sym-code-marker").size(), 18u);
  EXPECT_EQ(with_class(svg, "sym-code-zero").size(), 1u);
  EXPECT_EQ(with_class(svg, "sym-signboard").size(), 3u);
  EXPECT_EQ(with_class(svg, "tunnel").size(), 2u);
}

TEST_F(PlotGeneratore, TheElevationAtTheEndIsTheSumOfTheGradients) {
  const XmlElement svg = testing::parse_xml(read_file(profile_path()));
  const double sum = testing::gradient_sum_in_file(read_file(track()));
  // The gradients of the line source: 300 to 500 m at 4 per mille, 2000 to 2300 at 4, ...
  const double by_source = 0.2 * 4 + 0.3 * 4 - 0.6 * 4 - 1.4 * 2 - 6 * 1 + 2 * 1 - 0.4 * 3 + 1 * 2 +
                           1 * 4 + 0.4 * 2 - 0.5 * 4;
  EXPECT_NEAR(sum, by_source, 1e-9);
  const auto end = testing::elevation_end_drawn(svg);
  EXPECT_NEAR(end.elevation, sum, 0.01);
  EXPECT_NEAR(end.metres, 88900, 2);
}

TEST_F(PlotGeneratore, TheSpeedLineTakesTheValuesOfTheSpeedLimitStretches) {
  const XmlElement svg = testing::parse_xml(read_file(profile_path()));
  const auto expected = testing::speed_runs_in_file(read_file(track()));
  ASSERT_EQ(expected.size(), 20u);
  const auto drawn = testing::speed_steps_drawn(svg);
  ASSERT_EQ(drawn.size(), expected.size());
  for (std::size_t k = 0; k < drawn.size(); ++k) {
    EXPECT_NEAR(drawn[k].kmh, expected[k].kmh, 0.1) << k;
    EXPECT_NEAR(drawn[k].start_m, expected[k].start_m, 2) << k;
    EXPECT_NEAR(drawn[k].end_m, expected[k].end_m, 2) << k;
  }
  EXPECT_NEAR(drawn.front().kmh, 30, 0.1);
  EXPECT_NEAR(drawn.back().kmh, 130, 0.1);
}

TEST_F(PlotGeneratore, ThePicturesStaySmall) {
  // The line file holds 89001 metres; the plan draws far fewer points.
  EXPECT_LT(fs::file_size(plan_path()), 40'000u);
  EXPECT_LT(fs::file_size(profile_path()), 120'000u);
  const XmlElement svg = testing::parse_xml(read_file(plan_path()));
  std::size_t points = 0;
  for (const XmlElement* g : with_class(svg, "centre-line")) {
    for (const XmlElement& line : g->children) {
      points += testing::parse_points(line.attr("points")).size();
    }
  }
  EXPECT_GT(points, 100u);
  EXPECT_LT(points, 3000u);
  EXPECT_THAT(read_file(plan_path()), HasSubstr("points are drawn"));
}

TEST_F(PlotGeneratore, XmllintFindsThePicturesWellFormed) {
  if (run_command("command -v xmllint").exit_status != 0) GTEST_SKIP() << "no xmllint here";
  for (const std::string& path : {plan_path(), profile_path()}) {
    const auto r = run_command("xmllint --noout " + shell_quote(path));
    EXPECT_EQ(r.exit_status, 0) << r.err;
    EXPECT_EQ(r.err, "");
  }
}

// librsvg2-bin is installed by scripts/install-deps; the PNG pictures are kept as artefacts
// (docs/plan.png and docs/profile.png are copies of them).
TEST_F(PlotGeneratore, ARealSvgRendererDrawsBothPicturesAsPng) {
  ASSERT_EQ(run_command("command -v rsvg-convert").exit_status, 0)
      << "rsvg-convert is missing: install librsvg2-bin";
  const fs::path artefacts = fs::path(TEST_ARTEFACTS_DIR) / "plot";
  fs::create_directories(artefacts);
  for (const auto& [svg, png] : {std::pair{plan_path(), artefacts / "plan.png"},
                                 std::pair{profile_path(), artefacts / "profile.png"}}) {
    fs::remove(png);
    const auto r = run_command("rsvg-convert --width 1600 --keep-aspect-ratio --format png -o " +
                               shell_quote(png.string()) + ' ' + shell_quote(svg));
    EXPECT_EQ(r.exit_status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto [w, h] = png_size(read_file(png));
    EXPECT_EQ(w, 1600u) << png;
    // A4 landscape.
    EXPECT_NEAR(static_cast<double>(w) / h, 297.0 / 210.0, 0.01) << png;
  }
}

}  // namespace
}  // namespace scenario::tool
