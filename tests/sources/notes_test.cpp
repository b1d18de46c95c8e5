// The built-in route notes: line lengths, the title first, and the characters the text relies on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "format/file_names.h"
#include "sources/writers.h"
#include "written_text.h"

namespace scenario {
namespace {

using Notes = testing::DocumentTest<dati_note, notes_path, 12>;

TEST_F(Notes, EveryLineHasItsStatedLength) {
  const std::vector<std::size_t> lengths = {66, 0, 40, 71, 76, 27, 75, 11, 30, 29, 64, 51};
  for (int n = 1; n <= 12; ++n)
    EXPECT_EQ(text(n).size(), lengths.at(n - 1)) << n << ": " << text(n);
}

TEST_F(Notes, BeginWithTheTitleNotWithAnEmptyLine) {
  EXPECT_EQ(text(1), std::string(16, ' ') + "Treno 24863 sul percorso Valdora S.T.V.  Lusa C.le");
  EXPECT_EQ(text.empty_lines(), std::vector<int>{2});
  EXPECT_EQ(text(3), " Alcune precisazioni su questo percorso:");
}

TEST_F(Notes, KeepTheTrailingSpaceOfTheLocomotiveLineOnly) {
  EXPECT_EQ(text(8), "   un 646. ");
  EXPECT_EQ(text.lines_with_trailing_spaces(), std::vector<int>{8});
}

TEST_F(Notes, RemarksStartWithADashAndContinueIndentedByThree) {
  for (int n : {4, 5, 7}) EXPECT_EQ(text(n).substr(0, 3), " - ") << n;
  for (int n : {6, 8}) EXPECT_EQ(text(n).substr(0, 4).find_first_not_of(' '), 3u) << n;
  for (int n : {9, 10, 11, 12}) EXPECT_EQ(text(n).substr(0, 2).find('-'), std::string::npos) << n;
}

// The accents are written as the grave accent character (code 96), the apostrophes as code 39.
TEST_F(Notes, UseTheAsciiGraveAccentAndApostrophe) {
  EXPECT_NE(text(4).find("realta`"), std::string::npos);
  EXPECT_NE(text(9).find("e` 'movimentato'"), std::string::npos);
  EXPECT_NE(text(7).find("L'impostazione dell'orario"), std::string::npos);
}

}  // namespace
}  // namespace scenario
