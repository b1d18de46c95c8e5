// The shared writing procedure: where the end marker stops the output and how lines are ended.
#include "sources/scrivi_righe.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "written_text.h"

namespace scenario {
namespace {

using testing::WriterRun;

TEST(RenderLines, EndsEveryLineWithCrLfAndKeepsSpacesAndEmptyEntries) {
  LineList lines{"first", "", "  spaced  ", " "};
  lines.close();
  EXPECT_EQ(render_lines(lines), "first\r\n\r\n  spaced  \r\n \r\n");
}

TEST(RenderLines, StopsAtTheFirstEntryEqualToTheMarkerEvenWithEntriesAfterIt) {
  LineList lines{"before", "riferimento fine del file", "after", "riferimento fine del file"};
  EXPECT_EQ(render_lines(lines), "before\r\n");

  LineList marker_first{"riferimento fine del file", "never written"};
  EXPECT_EQ(render_lines(marker_first), "");
}

TEST(RenderLines, WritesEntriesThatDifferFromTheMarkerInCaseOrSpacing) {
  const char* near_misses[] = {
      "Riferimento fine del file",  "RIFERIMENTO FINE DEL FILE",  " riferimento fine del file",
      "riferimento fine del file ", "riferimento  fine del file", "riferimento fine del file.",
      "riferimento fine del fil",
  };
  for (const char* entry : near_misses) {
    LineList lines{entry, "next"};
    lines.close();
    EXPECT_EQ(render_lines(lines), std::string(entry) + "\r\nnext\r\n") << entry;
  }
}

TEST(LineList, HoldsAThousandLinesAndTheMarkerButNoMore) {
  LineList lines;
  for (int i = 0; i < 1000; ++i) lines.add("x");
  lines.close();
  EXPECT_EQ(lines.size(), LineList::capacity);
  EXPECT_EQ(render_lines(lines).size(), 1000u * 3u);
  EXPECT_THROW(lines.add("one too many"), std::length_error);
}

TEST(ScriviRighe, WritesTheEntriesBeforeTheMarkerToTheFile) {
  WriterRun run;
  const std::string path = run.names().folder + "/lines.txt";
  LineList lines{"uno", "riferimento fine del file", "due"};
  scrivi_righe(run.fs(), path, lines);
  EXPECT_EQ(run.read(path), "uno\r\n");
  EXPECT_EQ(run.files(), std::vector<std::string>{"lines.txt"});
}

}  // namespace
}  // namespace scenario
