#include "format/file_writers.h"

#include <gtest/gtest.h>

#include "format/windows1252.h"
#include "support/test_support.h"

namespace scenario {
namespace {

using testing::f64_at;
using testing::i16_at;
using testing::i32_at;
using testing::u16_at;

TEST(TrackFileTest, EveryFieldAtItsOffsetLittleEndian) {
  std::vector<TrackCell> track(3);
  TrackCell& c = track[1];
  c.kind = cell_kind::signal;
  c.value1 = 0x1401;
  c.value2 = -2;
  c.value3 = 300;
  c.value4 = -32768;
  c.signal_time = 190;
  c.approach_code = 84;
  c.tunnel_type = 2;
  c.speed_div5 = 23;
  c.gradient_100 = 96;
  c.adhesion = 255;

  const std::string bytes = write_track_file(track);
  ASSERT_EQ(bytes.size(), 3u * 15u);
  const std::size_t o = 15;
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[o + 0]), 1);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[o + 1]), 0x01);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[o + 2]), 0x14);
  // Negative values as two's complement, low byte first.
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[o + 3]), 0xFE);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[o + 4]), 0xFF);
  EXPECT_EQ(i16_at(bytes, o + 5), 300);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[o + 7]), 0x00);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[o + 8]), 0x80);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[o + 9]), 190);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[o + 10]), 84);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[o + 11]), 2);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[o + 12]), 23);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[o + 13]), 96);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[o + 14]), 255);
  // A cell nothing wrote is fifteen zero bytes.
  EXPECT_EQ(bytes.substr(0, 15), std::string(15, '\0'));
  EXPECT_EQ(bytes.substr(30, 15), std::string(15, '\0'));
}

TEST(TrackFileTest, BuiltInRouteSize) {
  EXPECT_EQ(write_track_file(std::vector<TrackCell>(1781)).size(), 26715u);
}

// Walks the 87 records the way a reader of the file must: by the length of each name.
std::vector<std::size_t> record_offsets(const std::string& bytes) {
  std::vector<std::size_t> offsets;
  std::size_t o = 0;
  for (int i = 0; i < sim_table_size; ++i) {
    offsets.push_back(o);
    o += 34 + u16_at(bytes, o + 14);
  }
  EXPECT_EQ(o, bytes.size());
  return offsets;
}

TEST(TableFileTest, EmptyTableIs87RecordsOf34Bytes) {
  const std::string bytes = write_table_file(SimTable{});
  ASSERT_EQ(bytes.size(), 87u * 34u);
  EXPECT_EQ(bytes, std::string(87 * 34, '\0'));
}

TEST(TableFileTest, FieldsAroundAVariableLengthName) {
  SimTable t{};
  SimRecord& r = t[5];
  r.kind = 22;
  r.start_m = -1;
  r.end_m = 100000;
  r.pos_m = 27550;
  r.tps = 7;
  r.name = "SASSOLEGO";
  r.d2a = 610;
  r.d3a = -3;
  r.d1b = 4;
  r.d2b = 5;
  r.d3b = 6;
  r.rap = 8;
  r.ac = 40;
  r.mar = 1;
  r.tab = 2;
  r.time_s = 70380;

  const std::string bytes = write_table_file(t);
  const auto off = record_offsets(bytes);
  const std::size_t o = off[5];
  EXPECT_EQ(off[6] - off[5], 34u + 9u);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[o]), 22);
  EXPECT_EQ(i32_at(bytes, o + 1), -1);
  EXPECT_EQ(i32_at(bytes, o + 5), 100000);
  EXPECT_EQ(i32_at(bytes, o + 9), 27550);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[o + 13]), 7);
  EXPECT_EQ(u16_at(bytes, o + 14), 9);
  EXPECT_EQ(bytes.substr(o + 16, 9), "SASSOLEGO");
  const std::size_t n = o + 16 + 9;
  EXPECT_EQ(i16_at(bytes, n + 0), 610);
  EXPECT_EQ(i16_at(bytes, n + 2), -3);
  EXPECT_EQ(i16_at(bytes, n + 4), 4);
  EXPECT_EQ(i16_at(bytes, n + 6), 5);
  EXPECT_EQ(i16_at(bytes, n + 8), 6);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[n + 10]), 8);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[n + 11]), 40);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[n + 12]), 1);
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[n + 13]), 2);
  EXPECT_EQ(i32_at(bytes, n + 14), 70380);
}

TEST(TableFileTest, IdentifierEntriesAre46And39Bytes) {
  SimTable t{};
  t[table_entry::route].name = "Valdora_Lusa";
  t[table_entry::codes].name = "24863";
  const std::string bytes = write_table_file(t);
  const auto off = record_offsets(bytes);
  EXPECT_EQ(off[86] - off[85], 46u);
  EXPECT_EQ(bytes.size() - off[86], 39u);
  EXPECT_EQ(bytes.size(), 87u * 34u + 12u + 5u);
  // An entry with an empty name carries a zero length.
  EXPECT_EQ(bytes[off[84] + 14], '\0');
  EXPECT_EQ(bytes[off[84] + 15], '\0');
}

TEST(TableFileTest, NamesAreWrittenInWindows1252) {
  SimTable t{};
  t[1].name = "Citt\xC3\xA0 \xE2\x82\xAC \xE2\x86\x92";  // "Città € →"
  const std::string bytes = write_table_file(t);
  const auto off = record_offsets(bytes);
  EXPECT_EQ(u16_at(bytes, off[1] + 14), 9);
  EXPECT_EQ(bytes.substr(off[1] + 16, 9), "Citt\xE0 \x80 ?");
}

TEST(Windows1252Test, RoundTripsEveryDefinedByte) {
  for (int b = 1; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    const bool undefined = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
    EXPECT_EQ(to_windows1252(from_windows1252(one)), undefined ? "?" : one) << b;
  }
  EXPECT_TRUE(is_valid_utf8("abc \xC3\xA0"));
  EXPECT_FALSE(is_valid_utf8("abc \xE0"));
  EXPECT_FALSE(is_valid_utf8("\xC0\x80"));      // an overlong NUL
  EXPECT_EQ(to_windows1252("\xE0\xA0"), "??");  // a sequence cut short
}

TEST(LineFileTest, CoordinateZeroOfEveryMetreFirstThenCoordinateOne) {
  LineGeometry g(3);
  g.set(0, 0, LineValue::integer(0));
  g.set(0, 1, LineValue::integer(0));
  g.set(1, 0, LineValue::integer(0));
  g.set(1, 1, LineValue::integer(1));
  g.set(2, 0, LineValue::real(-0.0001));
  g.set(2, 1, LineValue::real(2.0));
  // Row 3 stays empty.

  const std::string bytes = write_line_file(g);
  // Per half: two integers (4 bytes each), a double (10) and an empty value (2).
  ASSERT_EQ(bytes.size(), 2u * (4 + 4 + 10 + 2));
  std::size_t o = 0;
  auto expect_int = [&](int v) {
    EXPECT_EQ(u16_at(bytes, o), 2) << o;
    EXPECT_EQ(i16_at(bytes, o + 2), v) << o;
    o += 4;
  };
  auto expect_double = [&](double v) {
    EXPECT_EQ(u16_at(bytes, o), 5) << o;
    EXPECT_EQ(f64_at(bytes, o + 2), v) << o;
    o += 10;
  };
  auto expect_empty = [&] {
    EXPECT_EQ(u16_at(bytes, o), 0) << o;
    o += 2;
  };
  expect_int(0);
  expect_int(0);
  expect_double(-0.0001);
  expect_empty();
  expect_int(0);
  expect_int(1);
  expect_double(2.0);
  expect_empty();
  EXPECT_EQ(o, bytes.size());
}

TEST(LineFileTest, OutsideTheGeometryIsARangeError) {
  LineGeometry g(1);
  EXPECT_THROW(g.set(2, 0, LineValue::integer(1)), ModelRangeError);
  EXPECT_THROW(g.at(-1, 0), ModelRangeError);
  EXPECT_THROW(g.at(0, 2), ModelRangeError);
  std::vector<TrackCell> track(2);
  EXPECT_THROW(track_cell(track, 2), ModelRangeError);
  EXPECT_THROW(track_cell(track, -1), ModelRangeError);
}

}  // namespace
}  // namespace scenario
