// The decoders of the three compiled files: what the writers wrote comes back unchanged, and
// damaged bytes give the offset of the damage, never a crash.
#include "format/decode.h"

#include <gtest/gtest.h>

#include <random>

#include "format/file_limits.h"
#include "format/file_writers.h"
#include "format/line_file_values.h"
#include "support/sample_scenario.h"

namespace scenario {
namespace {

using testing::sample_scenario;
using testing::tiny_scenario;

void expect_same_line(const LineGeometry& a, const LineGeometry& b) {
  ASSERT_EQ(a.last_m(), b.last_m());
  for (std::int64_t m = 0; m <= a.last_m(); ++m) {
    for (int c = 0; c < 2; ++c) ASSERT_EQ(a.at(m, c), b.at(m, c)) << "metre " << m << ", " << c;
  }
}

std::string put_u16(std::string bytes, std::size_t at, std::uint16_t v) {
  bytes[at] = static_cast<char>(v & 0xFF);
  bytes[at + 1] = static_cast<char>(v >> 8);
  return bytes;
}

// --- round trips ---

TEST(DecodeRoundTrip, TheSampleComesBackAsItWasWritten) {
  const auto s = sample_scenario();
  const auto track = decode_track_file(write_track_file(s.track));
  ASSERT_TRUE(track.ok()) << track.error().message;
  EXPECT_EQ(track.value(), s.track);
  const auto table = decode_table_file(write_table_file(s.table));
  ASSERT_TRUE(table.ok()) << table.error().message;
  EXPECT_EQ(table.value(), s.table);
  const auto line = decode_line_file(write_line_file(s.line));
  ASSERT_TRUE(line.ok()) << line.error().message;
  expect_same_line(line.value(), s.line);
}

TEST(DecodeRoundTrip, NegativeValuesHighBytesAndEmptyLineValuesSurvive) {
  const auto s = tiny_scenario();
  EXPECT_EQ(decode_track_file(write_track_file(s.track)).value(), s.track);
  EXPECT_EQ(decode_table_file(write_table_file(s.table)).value(), s.table);
  expect_same_line(decode_line_file(write_line_file(s.line)).value(), s.line);
}

TEST(DecodeRoundTrip, TableNamesAreReadAsWindows1252AndComeBackAsUtf8) {
  SimTable table;
  table[80].name = "x";
  std::string bytes = write_table_file(table);
  const std::size_t at = testing::table_entry_offset(bytes, 80) + 16;
  bytes[at] = '\xE8';  // è in the code page
  const auto decoded = decode_table_file(bytes);
  ASSERT_TRUE(decoded.ok());
  EXPECT_EQ(decoded.value()[80].name, "\xC3\xA8");
  bytes[at] = '\x80';
  EXPECT_EQ(decode_table_file(bytes).value()[80].name, "\xE2\x82\xAC");  // the euro sign
}

TEST(DecodeRoundTrip, ACellDecodesFieldByFieldAtItsOffsets) {
  std::string record(15, '\0');
  record[0] = 6;
  record = put_u16(record, 1, 2424);
  record = put_u16(record, 7, 0xFFFE);
  record[9] = static_cast<char>(190);
  record[14] = 70;
  const auto track = decode_track_file(record);
  ASSERT_TRUE(track.ok());
  const TrackCell& c = track.value().at(0);
  EXPECT_EQ(c.kind, cell_kind::speed_board);
  EXPECT_EQ(c.value1, 2424);
  EXPECT_EQ(c.value4, -2);
  EXPECT_EQ(c.signal_time, 190);
  EXPECT_EQ(c.adhesion, 70);
}

// --- track file damage ---

TEST(DecodeTrackDamage, AnEmptyFileIsRejectedAtByte0) {
  const auto r = decode_track_file("");
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().offset, 0u);
  EXPECT_NE(r.error().message.find("empty track file"), std::string::npos);
}

TEST(DecodeTrackDamage, ASizeNotAMultipleOf15NamesTheCellCutShort) {
  const std::string bytes = write_track_file(sample_scenario().track);
  for (std::size_t cut : {1u, 14u, 16u, 15u * 100 + 7, 15u * 280 + 14}) {
    const auto r = decode_track_file(std::string_view(bytes).substr(0, cut));
    ASSERT_FALSE(r.ok()) << cut;
    EXPECT_EQ(r.error().offset, cut / 15 * 15) << cut;
    EXPECT_NE(r.error().message.find("cell " + std::to_string(cut / 15) + " is cut short after " +
                                     std::to_string(cut % 15) + " bytes"),
              std::string::npos)
        << r.error().message;
  }
}

// --- table file damage ---

TEST(DecodeTableDamage, EveryKindOfCutGivesItsOffsetAndWhatIsMissing) {
  const std::string bytes = write_table_file(sample_scenario().table);
  struct Case {
    std::size_t cut;
    std::size_t offset;
    std::string words;
  };
  const std::size_t e85 = testing::table_entry_offset(bytes, 85);
  const std::vector<Case> cases{
      {0, 0, "empty table file"},
      {3, 1, "entry 0 (from byte 0) is cut short: the file ends inside its field `start_m`"},
      {34, 34, "the file ends after 1 entries: a table holds exactly 87"},
      {e85, e85, "the file ends after 85 entries"},
      {e85 + 15, e85 + 14, "entry 85 (from byte " + std::to_string(e85) + ") is cut short"},
      {e85 + 16 + 5, e85 + 16, "has a name of 12 bytes that runs past the end of the file (5"},
      {e85 + 16 + 12 + 1, e85 + 28, "field `d2a`"},
      {bytes.size() - 1, bytes.size() - 4, "entry 86 (from byte"},
  };
  for (const auto& c : cases) {
    const auto r = decode_table_file(std::string_view(bytes).substr(0, c.cut));
    ASSERT_FALSE(r.ok()) << c.cut;
    EXPECT_EQ(r.error().offset, c.offset) << c.cut << ": " << r.error().message;
    EXPECT_NE(r.error().message.find(c.words), std::string::npos) << r.error().message;
  }
}

TEST(DecodeTableDamage, ANameLengthRunningPastTheEndIsCaught) {
  const std::string good = write_table_file(sample_scenario().table);
  const std::size_t e86 = testing::table_entry_offset(good, 86);
  const auto r = decode_table_file(put_u16(good, e86 + 14, 60000));
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().offset, e86 + 16);
  EXPECT_NE(r.error().message.find("entry 86 (from byte " + std::to_string(e86) +
                                   ") has a name of 60000 bytes that runs past the end"),
            std::string::npos)
      << r.error().message;
}

TEST(DecodeTableDamage, BytesAfterThe87thEntryAreRejected) {
  const std::string good = write_table_file(SimTable{});
  const auto r = decode_table_file(good + "abc");
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().offset, 87u * 34);
  EXPECT_NE(r.error().message.find("3 bytes follow entry 86"), std::string::npos);
}

// --- line file damage ---

TEST(DecodeLineDamage, ABadTagIsReportedAtTheValueThatCarriesIt) {
  std::string bytes = write_line_file(tiny_scenario().line);
  // Values: integer -3 (4 bytes), empty (2), empty (2), then the first of coordinate 1.
  bytes = put_u16(bytes, 8, 7);
  const auto r = decode_line_file(bytes);
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().offset, 8u);
  EXPECT_EQ(r.error().message,
            "value 3 (at byte 8) has the bad tag 7 (0 empty, 2 integer or 5 double expected)");

  // A tag whose high byte is set is bad too, not the tag of its low byte.
  bytes = put_u16(bytes, 8, 0x8002);
  const auto high = decode_line_file(bytes);
  ASSERT_FALSE(high.ok());
  EXPECT_EQ(high.error().message,
            "value 3 (at byte 8) has the bad tag 32770 (0 empty, 2 integer or 5 double expected)");
}

TEST(DecodeLineDamage, AValueCutShortNamesItsPayload) {
  const std::string bytes = write_line_file(tiny_scenario().line);
  // Coordinate 1: empty at byte 8, the double 1.5 at byte 10 with its payload from byte 12.
  const auto r = decode_line_file(std::string_view(bytes).substr(0, 15));
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().offset, 12u);
  EXPECT_NE(
      r.error().message.find("value 4 (at byte 10) is cut short: its double needs 8 bytes, 3 left"),
      std::string::npos)
      << r.error().message;
  const auto tag = decode_line_file(std::string_view(bytes).substr(0, 11));
  ASSERT_FALSE(tag.ok());
  EXPECT_EQ(tag.error().offset, 10u);
  EXPECT_NE(tag.error().message.find("its 2-byte tag has 1 byte left"), std::string::npos);
}

TEST(DecodeLineDamage, HalvesOfUnequalLengthAreRejected) {
  const std::string bytes = write_line_file(tiny_scenario().line);
  const auto r = decode_line_file(bytes + std::string(2, '\0'));  // one more empty value
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().offset, bytes.size() + 2);
  EXPECT_NE(r.error().message.find("7 values, an odd number"), std::string::npos);
  const auto empty = decode_line_file("");
  ASSERT_FALSE(empty.ok());
  EXPECT_EQ(empty.error().offset, 0u);
}

// --- any bytes at all ---

// Every cut of a valid file, and random bytes, decode or fail cleanly, with the offset inside
// the bytes given.
template <typename Decode>
void expect_clean_failure_or_value(Decode decode, std::string_view bytes, const char* what) {
  const auto r = decode(bytes);
  if (!r.ok()) {
    EXPECT_LE(r.error().offset, bytes.size()) << what << " of " << bytes.size() << " bytes";
    EXPECT_FALSE(r.error().message.empty());
  }
}

TEST(DecodeAnyBytes, EveryCutOfATinyFileFailsCleanlyOrDecodesAsWhatIsLeft) {
  const auto s = tiny_scenario();
  const std::string track = write_track_file(s.track);
  const std::string table = write_table_file(s.table);
  const std::string line = write_line_file(s.line);
  for (std::size_t n = 0; n < track.size(); ++n) {
    const auto r = decode_track_file(std::string_view(track).substr(0, n));
    // Whole cells are a shorter track: only the table can tell it is cut (see inspect).
    EXPECT_EQ(r.ok(), n > 0 && n % 15 == 0) << n;
  }
  for (std::size_t n = 0; n < table.size(); ++n) {
    const auto r = decode_table_file(std::string_view(table).substr(0, n));
    ASSERT_FALSE(r.ok()) << n;
    EXPECT_LE(r.error().offset, n);
  }
  for (std::size_t n = 0; n < line.size(); ++n) {
    expect_clean_failure_or_value(decode_line_file, std::string_view(line).substr(0, n), "line");
  }
}

TEST(DecodeAnyBytes, RandomAndMutatedBytesNeverCrash) {
  std::mt19937 rng(20240611);
  std::uniform_int_distribution<int> byte(0, 255);
  const auto s = tiny_scenario();
  const std::vector<std::string> seeds{write_track_file(s.track), write_table_file(s.table),
                                       write_line_file(s.line)};
  for (int round = 0; round < 3000; ++round) {
    std::string bytes;
    if (round % 2 == 0) {
      bytes.resize(static_cast<std::size_t>(round % 97));
      for (char& c : bytes) c = static_cast<char>(byte(rng));
    } else {
      bytes = seeds[static_cast<std::size_t>(round) % seeds.size()];
      for (int k = 0; k < 3; ++k) {
        bytes[static_cast<std::size_t>(rng()) % bytes.size()] = static_cast<char>(byte(rng));
      }
    }
    expect_clean_failure_or_value(decode_track_file, bytes, "track");
    expect_clean_failure_or_value(decode_table_file, bytes, "table");
    expect_clean_failure_or_value(decode_line_file, bytes, "line");
  }
}

}  // namespace
}  // namespace scenario

namespace scenario::testing {
namespace {

// At the most the compiler writes a file decodes; one cell, one row, one byte more does not, and
// the message names the limit.
TEST(DecodeLimits, FilesBeyondTheLongestRouteAreDamaged) {
  const std::string cell(15, '\0');
  std::string track;
  for (std::int64_t c = 0; c < max_track_cells; ++c) track += cell;
  EXPECT_TRUE(decode_track_file(track).ok());
  track += cell;
  const auto long_track = decode_track_file(track);
  ASSERT_FALSE(long_track.ok());
  EXPECT_EQ(long_track.error().offset, static_cast<std::size_t>(max_track_cells) * 15);
  EXPECT_NE(long_track.error().message.find("20142 cells, more than the 20141"), std::string::npos)
      << long_track.error().message;

  // Empty values take two bytes: rows beyond the limit fit well within the byte limit.
  const std::string empty_value("\0\0", 2);
  std::string line;
  line.reserve(static_cast<std::size_t>(2 * (max_line_rows + 1)) * 2);
  for (std::int64_t v = 0; v < 2 * max_line_rows; ++v) line += empty_value;
  EXPECT_TRUE(scan_line_file(line).ok());
  line += empty_value + empty_value;
  const auto long_line = scan_line_file(line);
  ASSERT_FALSE(long_line.ok());
  EXPECT_NE(long_line.error().message.find("1007002 rows, more than the 1007001"),
            std::string::npos)
      << long_line.error().message;

  const auto huge = decode_line_file(std::string(max_line_file_bytes + 1, '\0'));
  ASSERT_FALSE(huge.ok());
  EXPECT_EQ(huge.error().offset, max_line_file_bytes);
}

}  // namespace
}  // namespace scenario::testing
