// What every one of the five writers shares: its file name, its size, its line ends, the end
// marker, and how it replaces an earlier file.
#include "sources/writers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "format/file_names.h"
#include "platform/faulty_file_system.h"
#include "platform/replace_files.h"
#include "sources/contenuti.h"
#include "written_text.h"

namespace scenario {
namespace {

using testing::WriterRun;

struct WriterCase {
  const char* name;
  testing::Writer write;
  testing::PathOf path;
  LineList (*content)();
  const char* file_name;
  std::size_t lines;
  std::size_t bytes;
};

std::ostream& operator<<(std::ostream& os, const WriterCase& c) { return os << c.name; }

// Line and byte counts as measured on the built-in content; the documents' counts are the ones
// their descriptions state.
const WriterCase writer_cases[] = {
    {"dati_linea", dati_linea, line_source_path, contenuto_linea, "Valdora_Lusa_linea.txt", 121,
     3400},
    {"dati_treno", dati_treno, train_source_path, contenuto_treno, "Valdora_Lusa_24863-.txt", 119,
     5034},
    {"dati_note", dati_note, notes_path, contenuto_note, "Valdora_Lusa_24863_note.txt", 12, 564},
    {"dati_rallentamenti", dati_rallentamenti, slowdown_order_path, contenuto_rallentamenti,
     "Valdora_Lusa_24863_rallentamenti.txt", 41, 2860},
    {"dati_scheda", dati_scheda, timetable_path, contenuto_scheda,
     "Valdora_Lusa_24863_scheda_treno.txt", 48, 3749},
};

class EachWriter : public ::testing::TestWithParam<WriterCase> {};

TEST_P(EachWriter, WritesItsLinesAndBytesUnderItsNameAndNothingElse) {
  const WriterCase& c = GetParam();
  WriterRun run;
  const std::string bytes = run.write(c.write, c.path);
  EXPECT_EQ(run.files(), std::vector<std::string>{c.file_name});
  EXPECT_EQ(bytes.size(), c.bytes);
  const auto lines = testing::crlf_lines(bytes);
  ASSERT_TRUE(lines.has_value()) << "every line, the last included, ends with CR LF";
  EXPECT_EQ(lines->size(), c.lines);
  EXPECT_EQ(*lines, testing::entries_before_marker(c.content()));
}

TEST_P(EachWriter, ClosesItsListWithTheMarkerWhichNeverReachesTheFile) {
  const WriterCase& c = GetParam();
  const LineList list = c.content();
  ASSERT_EQ(list.size(), c.lines + 1);
  EXPECT_EQ(list[c.lines], end_marker);
  WriterRun run;
  const std::string bytes = run.write(c.write, c.path);
  EXPECT_EQ(bytes.find("riferimento"), std::string::npos);
}

TEST_P(EachWriter, WritesPlainAscii) {
  const WriterCase& c = GetParam();
  WriterRun run;
  const std::string bytes = run.write(c.write, c.path);
  const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char ch) {
    const auto u = static_cast<unsigned char>(ch);
    return (u >= 0x20 && u < 0x7f) || ch == '\r' || ch == '\n';
  });
  EXPECT_TRUE(ascii);
}

TEST_P(EachWriter, ReplacesALongerEarlierFileInFullAndGivesTheSameBytesTwice) {
  const WriterCase& c = GetParam();
  WriterRun run;
  const std::string path = c.path(run.names());
  run.fs().put(path, std::string(3 * c.bytes, '#') + "\r\n");
  const std::string first = run.write(c.write, c.path);
  EXPECT_EQ(first, render_lines(c.content()));
  const std::string second = run.write(c.write, c.path);
  EXPECT_EQ(second, first);
  EXPECT_EQ(run.files(), std::vector<std::string>{c.file_name});
}

// A write that fails part way must not cost the earlier file, nor leave a temporary one behind.
TEST_P(EachWriter, AFailingReplacementKeepsTheEarlierFileAndLeavesNoTemporary) {
  const WriterCase& c = GetParam();
  for (const char* kind : {"create", "write", "flush", "close", "rename"}) {
    SCOPED_TRACE(kind);
    WriterRun run;
    FaultyFileSystem fs(run.fs());
    fs.fail_kind = kind;
    fs.fail_at = 1;
    const std::string path = c.path(run.names());
    run.fs().put(path, "earlier content\r\n");
    EXPECT_THROW(c.write(run.names(), fs), FileError);
    EXPECT_EQ(run.read(path), "earlier content\r\n");
    EXPECT_EQ(run.files(), std::vector<std::string>{c.file_name});
  }
}

TEST_P(EachWriter, FollowsTheIdentifiersInItsNameOnly) {
  const WriterCase& c = GetParam();
  WriterRun standard;
  const std::string expected = standard.write(c.write, c.path);
  WriterRun other;
  other.names().route_id = "Altra_Linea";
  other.names().train_number = "99999";
  const std::string bytes = other.write(c.write, c.path);
  EXPECT_EQ(bytes, expected);
  const std::string name = other.files().at(0);
  EXPECT_EQ(name.rfind("Altra_Linea_", 0), 0u) << name;
  const bool names_train = name.find("99999") != std::string::npos;
  EXPECT_EQ(names_train, std::string(c.name) != "dati_linea") << name;
}

INSTANTIATE_TEST_SUITE_P(TextWriters, EachWriter, ::testing::ValuesIn(writer_cases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace scenario
