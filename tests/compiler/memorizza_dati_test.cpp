#include "compiler/memorizza_dati.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "format/model.h"
#include "support/sources.h"

namespace scenario {
namespace {

using testing::crlf;

struct HeardCode {
  Code code;
  std::optional<std::int32_t> pos;
  SourceKind source;
  int line;
};

struct HeardKeyword {
  SourceKind source;
  int line;
  std::string field;
};

class RecordingObserver : public CompileObserver {
 public:
  void on_code(Code code, std::optional<std::int32_t> pos, SourceKind source, int line) override {
    codes.push_back({code, pos, source, line});
  }
  void on_unknown_keyword(SourceKind source, int line, const std::string& field) override {
    keywords.push_back({source, line, field});
  }
  std::vector<std::int32_t> code_list() const {
    std::vector<std::int32_t> out;
    for (const HeardCode& c : codes) out.push_back(number(c.code));
    return out;
  }
  std::vector<HeardCode> codes;
  std::vector<HeardKeyword> keywords;
};

// The general section as the built-in line source writes it, with a chosen length.
std::vector<std::string> general_section(std::int32_t length) {
  return {"Percorso prova",
          "",
          "inizio_dati  ",
          "[generale]                          ",
          "lunghezza percorso,    " + std::to_string(length),
          "progressiva chilometrica uno,    0,    0,    0",
          "sfondo uno,    1",
          "ripetizione segnali 4 codici,    4650,    79150"};
}

// Records of the line source start on this line.
constexpr int kFirstLineRecord = 10;
// Records of the train source start on this line.
constexpr int kFirstTrainRecord = 4;

// Route of 10000 m: track_last 340, line_last_m 17000.
constexpr std::int32_t kLength = 10000;
constexpr std::int32_t kTrackLast = 340;
constexpr std::int32_t kLineLast = 17000;

class ReaderTest : public ::testing::Test {
 protected:
  ReaderTest() { reset(); }

  // A fresh compile without sources, its line geometry built.
  void reset() {
    comp.reset();
    observer = RecordingObserver{};
    comp.emplace(kIds, observer);
  }

  void write_line_text(const std::string& text) { comp->sources.line = SourceText::of(text); }
  void write_train_text(const std::string& text) { comp->sources.train = SourceText::of(text); }

  void write_line(const std::vector<std::string>& records, std::int32_t length = kLength) {
    std::vector<std::string> lines = general_section(length);
    lines.push_back("[pendenze]");
    lines.insert(lines.end(), records.begin(), records.end());
    lines.push_back("[fine]");
    write_line_text(crlf(lines));
  }

  void write_train(const std::vector<std::string>& records) {
    std::vector<std::string> lines{"   Treno prova", "inizio_dati", "[generale]"};
    lines.insert(lines.end(), records.begin(), records.end());
    lines.push_back("[fine]");
    lines.push_back("");
    write_train_text(crlf(lines));
  }

  void read(const std::vector<std::string>& line_records,
            const std::vector<std::string>& train_records, std::int32_t length = kLength) {
    write_line(line_records, length);
    write_train(train_records);
    memorizza_dati(*comp);
  }

  const TrackCell& cell(std::size_t i) const { return comp->model.track.at(i); }
  const SimRecord& entry(std::size_t i) const { return comp->model.table.at(i); }
  // The number of the last code recorded (0 when none).
  std::int32_t error_code() const { return number(comp->codes.last().code); }
  LineGeometry line() const { return comp->model.line.value().geometry(); }

  void expect_code(std::int32_t code, std::optional<std::int32_t> pos) const {
    EXPECT_EQ(error_code(), code);
    EXPECT_EQ(comp->codes.last().has_pos, pos.has_value());
    if (pos) {
      EXPECT_EQ(comp->codes.last().pos, *pos);
    }
  }

  const ScenarioIds kIds{"Prova_Linea", "4711"};
  RecordingObserver observer;
  std::optional<Compilation> comp;
};

// ---- Outcome of a whole reading ----

TEST_F(ReaderTest, BuiltInGeneralSectionSizesTrackAndLine) {
  read({},
       {"numero vetture,    6", "percentuale massa frenata,    120", "sabbia,    0",
        "orologio,    19              4             30 "},
       82000);
  EXPECT_EQ(error_code(), 0);
  EXPECT_EQ(line().last_m(), 89000);
  EXPECT_EQ(comp->model.track_last(), 1780);
  EXPECT_EQ(comp->model.track.size(), 1781u);
  EXPECT_EQ(line().last_m(), 89000);
  EXPECT_EQ(entry(84).end_m, 82000);
  EXPECT_EQ(entry(84).start_m, 120);
  EXPECT_EQ(entry(84).pos_m, 6);
  EXPECT_EQ(entry(85).name, "Prova_Linea");
  EXPECT_EQ(entry(85).start_m, 1);
  EXPECT_EQ(entry(86).name, "4711");
  EXPECT_EQ(entry(86).start_m, 4650);
  EXPECT_EQ(entry(86).end_m, 79150);
  EXPECT_EQ(entry(86).pos_m, 4);
  EXPECT_EQ(entry(86).d2a, 0);
  EXPECT_EQ(entry(86).d1b, 19);
  EXPECT_EQ(entry(86).d2b, 4);
  EXPECT_EQ(entry(86).d3b, 30);
  EXPECT_TRUE(observer.codes.empty());
  EXPECT_EQ(comp->codes.source(), SourceKind::none);
  EXPECT_EQ(comp->codes.line(), 0);
}

TEST_F(ReaderTest, MissingLineSourceIs101AndTheTrainSourceIsStillDeleted) {
  write_train({"sabbia, 1"});
  memorizza_dati(*comp);
  expect_code(101, std::nullopt);
  EXPECT_FALSE(comp->model.has_track());
  EXPECT_EQ(entry(86).d2a, 0);
  EXPECT_EQ(entry(85).name, "Prova_Linea");
}

TEST_F(ReaderTest, LineSourceEndingBeforeTheGeneralSectionIs102) {
  for (const std::string& text :
       {std::string(""), std::string("titolo\r\ninizio_dati\r\n"), std::string("[generale]\r\n")}) {
    reset();
    write_line_text(text);
    write_train({});
    memorizza_dati(*comp);
    expect_code(102, std::nullopt);
    EXPECT_FALSE(comp->model.has_track());
  }
}

TEST_F(ReaderTest, MissingTrainSourceIs25AfterTheLineSourceIsRead) {
  write_line({"pendenza, 100, 1"});
  memorizza_dati(*comp);
  expect_code(25, std::nullopt);
  EXPECT_TRUE(comp->model.has_track());
  EXPECT_EQ(cell(2).gradient_100, 101);
}

// The run deletes each source once it has read it; a deletion that failed ends the reading with
// 25 where the deletion stands: after the line source's records (before the train source is read
// and before the gradient tail), after the train source's records (before the speed tail), or, in
// a reading that stopped earlier, at its end, over the code that stopped it and its position.
TEST_F(ReaderTest, AFailedDeletionIs25WhereTheDeletionStands) {
  struct Case {
    const char* what;
    bool line_kept;
    bool train_kept;
    std::vector<std::string> line;
    bool train_read;
    bool tails_filled;
  };
  const std::vector<Case> cases{
      {"line source", true, false, {}, false, false},
      {"train source", false, true, {}, true, false},
      {"both", true, true, {}, false, false},
      {"line source, after a stop",
       true,
       false,
       {"indicatori_vmax, 1000, 100, 100, 100, 0, 0, 0, 0, 0", "cartello indicatore, 1000, X"},
       false,
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    reset();
    write_line(c.line);
    write_train({"orologio, 19, 4, 30", "velocita' limite , 0, 100"});
    comp->sources.line.deletion_failed = c.line_kept;
    comp->sources.train.deletion_failed = c.train_kept;
    memorizza_dati(*comp);
    expect_code(25, std::nullopt);
    ASSERT_FALSE(observer.codes.empty());
    EXPECT_EQ(observer.codes.back().source, SourceKind::none);
    EXPECT_EQ(entry(86).d1b, c.train_read ? 19 : 0);
    EXPECT_EQ(cell(kTrackLast - 3).speed_div5, c.tails_filled ? 20 : 0);
  }
  // Without a failed deletion the same sources read to the end.
  reset();
  write_line({});
  write_train({"orologio, 19, 4, 30", "velocita' limite , 0, 100"});
  memorizza_dati(*comp);
  expect_code(0, std::nullopt);
  EXPECT_EQ(cell(kTrackLast - 3).speed_div5, 20);
}

TEST_F(ReaderTest, AnUnreadableLineSourceIs25AndAnAbsentOne101) {
  write_train({});
  comp->sources.line.state = SourceText::State::unreadable;
  memorizza_dati(*comp);
  expect_code(25, std::nullopt);
  ASSERT_FALSE(observer.codes.empty());
  EXPECT_EQ(observer.codes.back().source, SourceKind::line);
  EXPECT_FALSE(comp->model.has_track());
}

// ---- Failures of the source's values: code 25 ----

TEST_F(ReaderTest, BadNumbersAndCutShortRecordsAre25OnTheirLine) {
  struct Case {
    const char* what;
    std::vector<std::string> line;
    std::vector<std::string> train;
    SourceKind source;
    int line_no;
  };
  const std::vector<Case> cases{
      {"decimal point", {"pendenza, 10.5, 1"}, {}, SourceKind::line, kFirstLineRecord},
      {"letters", {}, {"numero vetture, sei"}, SourceKind::train, kFirstTrainRecord},
      {"value on the next line", {}, {"sabbia,", "1"}, SourceKind::train, kFirstTrainRecord},
      {"short too wide", {}, {"sabbia, 40000"}, SourceKind::train, kFirstTrainRecord},
      {"whole number too wide",
       {"pendenza, 2147483648, 1"},
       {},
       SourceKind::line,
       kFirstLineRecord},
      {"negative byte",
       {},
       {"stazione, 1000, -1, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A"},
       SourceKind::train,
       kFirstTrainRecord},
  };
  for (const Case& c : cases) {
    reset();
    read(c.line, c.train);
    ASSERT_FALSE(observer.codes.empty()) << c.what;
    const HeardCode& heard = observer.codes.back();
    EXPECT_EQ(heard.code, Code::failure) << c.what;
    EXPECT_EQ(heard.source, c.source) << c.what;
    EXPECT_EQ(heard.line, c.line_no) << c.what;
  }
}

TEST_F(ReaderTest, RecordCutShortByTheEndOfTheSourceIs25) {
  write_line_text(crlf(general_section(kLength)) + "[pendenze]\r\nmontagna, 1000, 1500");
  write_train({});
  memorizza_dati(*comp);
  expect_code(25, std::nullopt);
}

TEST_F(ReaderTest, RouteLengthLimits) {
  read({}, {}, 1000000);
  EXPECT_EQ(error_code(), 0);
  EXPECT_EQ(comp->model.track_last(), 20140);

  reset();
  read({}, {}, 1000001);
  expect_code(1, std::nullopt);
  EXPECT_EQ(entry(84).end_m, 1000001);
  EXPECT_FALSE(comp->model.has_track());

  // -6975 gives 25 metres of line: track_last rounds to 0 and there is no cell 1.
  reset();
  read({}, {}, -6975);
  expect_code(25, std::nullopt);
  EXPECT_FALSE(comp->model.has_track());

  reset();
  read({}, {}, -6950);
  EXPECT_EQ(comp->model.track_last(), 1);
  EXPECT_TRUE(comp->model.has_track());

  // A second length record too short for a track leaves no track, not the first one's.
  reset();
  write_line_text(crlf({"[generale]", "lunghezza percorso, 5000", "lunghezza percorso, -6975",
                        "[pendenze]", "[fine]"}));
  write_train({});
  memorizza_dati(*comp);
  expect_code(25, std::nullopt);
  EXPECT_FALSE(comp->model.has_track());
  EXPECT_FALSE(comp->model.line.has_value());
}

TEST_F(ReaderTest, ValuesThatDoNotFitTheModelAre25) {
  struct Case {
    const char* what;
    std::vector<std::string> line;
    std::vector<std::string> train;
  };
  const std::vector<Case> cases{
      {"gradient below -100", {"pendenza, 100, -101", "pendenza, 200, 0"}, {}},
      {"gradient above 155", {"pendenza, 100, 156"}, {}},
      {"speed over 1277", {}, {"velocita' limite , 0, 1280"}},
      {"code cut value beyond 16 bits", {}, {"abbattimento codice, 1000, 32768"}},
      {"timetable time beyond 32 bits",
       {},
       {"stazione, 1000, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 600000,0,0, A"}},
      {"feature beyond the line geometry", {"curvas2, 1000, 20000"}, {}},
  };
  for (const Case& c : cases) {
    reset();
    read(c.line, c.train);
    EXPECT_EQ(error_code(), 25) << c.what;
  }

  // Just inside the limits.
  reset();
  read({"pendenza, 100, 155", "pendenza, 200, -100"},
       {"velocita' limite , 0, 1277", "abbattimento codice, 1000, 32767"});
  EXPECT_EQ(error_code(), 0);
  EXPECT_EQ(cell(2).gradient_100, 255);
  EXPECT_EQ(cell(4).gradient_100, 0);
  EXPECT_EQ(cell(0).speed_div5, 255);
  EXPECT_EQ(cell(20).value1, 32767);
}

// ---- General section ----

TEST_F(ReaderTest, CodeRepetitionStretch) {
  struct Case {
    std::string record;
    std::int32_t code;
    std::int32_t count;
  };
  const std::vector<Case> cases{
      {"ripetizione segnali 9 codici, 100, 200", 0, 9},
      {"ripetizione segnali 4 codici, 100, 0", 0, 0},
      {"ripetizione segnali 4 codici, 125, 200", 3, 0},
      {"ripetizione segnali 4 codici, 100, 225", 4, 0},
      {"ripetizione segnali codici, 100, 200", 5, 0},
  };
  for (const Case& c : cases) {
    reset();
    write_line_text(crlf({"[generale]", "lunghezza percorso, 10000", c.record, "[fine]"}));
    write_train({"sabbia, 1"});
    memorizza_dati(*comp);
    expect_code(c.code, std::nullopt);
    EXPECT_EQ(entry(86).pos_m, c.count) << c.record;
    // A general-section code returns: the train source is not read.
    EXPECT_EQ(entry(86).d2a, c.code == 0 ? 1 : 0) << c.record;
  }
}

TEST_F(ReaderTest, ExactCaseOnlyForTheGeneralWordsThatNeedIt) {
  write_line_text(
      crlf({"[Generale]", "LUNGHEZZA Percorso, 10000", "Progressiva chilometrica uno, 1, 2, 3",
            "progressiva chilometrica due, 100, 0, 0", "Sfondo uno, 5", "sfondo Due, 6",
            "sfondo tre, 7", "Ripetizione segnali 4 codici, 100, 200", "[fine]"}));
  write_train({});
  memorizza_dati(*comp);
  EXPECT_EQ(error_code(), 0);
  EXPECT_EQ(comp->model.track_last(), kTrackLast);
  // Only "due" was read; sorted, it is the greatest and goes first.
  EXPECT_EQ(entry(81).start_m, 100);
  EXPECT_EQ(entry(82).start_m, 0);
  EXPECT_EQ(entry(83).start_m, 0);
  EXPECT_EQ(entry(85).start_m, 0);
  EXPECT_EQ(entry(85).pos_m, 0);
  EXPECT_EQ(entry(85).end_m, 7);
  EXPECT_EQ(entry(86).start_m, 0);
}

TEST_F(ReaderTest, GeneralRecordsAreReadOnlyUpToTheNextHeader) {
  write_line_text(crlf({"sfondo tre, 3", "[generale]", "lunghezza percorso, 10000", "[pendenze]",
                        "sfondo uno, 5", "[fine]"}));
  write_train({});
  memorizza_dati(*comp);
  EXPECT_EQ(error_code(), 0);
  EXPECT_EQ(entry(85).start_m, 0);
  EXPECT_EQ(entry(85).end_m, 0);
}

TEST_F(ReaderTest, GeneralSectionPassesOverUpToTenCommentsInARow) {
  const auto with_comments = [](int n) {
    std::vector<std::string> lines{"[generale]"};
    for (int i = 1; i < n; ++i) lines.push_back("- nota " + std::to_string(i));
    lines.push_back("- lunghezza percorso, 10000");
    lines.push_back("[fine]");
    return crlf(lines);
  };
  // The eleventh comment field in a row is tested like a record.
  write_line_text(with_comments(11));
  write_train({});
  memorizza_dati(*comp);
  EXPECT_EQ(error_code(), 0);
  EXPECT_EQ(comp->model.track_last(), kTrackLast);

  // The twelfth is skipped as a comment, so the route is never read and nothing can be built.
  reset();
  write_line_text(with_comments(12));
  write_train({});
  memorizza_dati(*comp);
  EXPECT_EQ(error_code(), 25);
  EXPECT_FALSE(comp->model.has_track());
}

TEST_F(ReaderTest, KilometrePointNotAMultipleOf50Is2AfterBothSources) {
  write_line_text(
      crlf({"[generale]", "lunghezza percorso, 10000", "progressiva chilometrica uno, 0, 75, 0",
            "[pendenze]", "pendenza, 20000, 1", "[fine]"}));
  write_train({"sabbia, 1"});
  memorizza_dati(*comp);
  // 15 from the line source, then 2 replaces it once the train source is read.
  EXPECT_EQ(observer.code_list(), (std::vector<std::int32_t>{15, 2}));
  EXPECT_EQ(error_code(), 2);
  EXPECT_FALSE(comp->codes.last().has_pos);
  EXPECT_EQ(entry(86).d2a, 1);
  EXPECT_EQ(observer.codes.back().source, SourceKind::none);
}

// ---- Record loops ----

TEST_F(ReaderTest, AtMostTwoCommentFieldsArePassedOverInARecordLoop) {
  read({}, {"- uno", "- due", "- sabbia, 3"});
  EXPECT_EQ(entry(86).d2a, 3);

  reset();
  read({}, {"- uno", "- due", "- tre", "- sabbia, 3"});
  EXPECT_EQ(entry(86).d2a, 0);
}

TEST_F(ReaderTest, OneFieldCanPassSeveralKeywordTests) {
  read({}, {"vetture e sabbia, 6, 1"});
  EXPECT_EQ(entry(84).pos_m, 6);
  EXPECT_EQ(entry(86).d2a, 1);
}

TEST_F(ReaderTest, TrainKeywordsIgnoreCaseAndHeadersMatchNothing) {
  read({}, {"[stazioni]", "NUMERO VETTURE, 6", "Percentuale Massa Frenata, 120", "[segnali]",
            "[rallentamenti]", "[vel_limite]", "[aderenze] "});
  EXPECT_EQ(error_code(), 0);
  EXPECT_EQ(entry(84).pos_m, 6);
  EXPECT_EQ(entry(84).start_m, 120);
}

TEST_F(ReaderTest, TrainSourceWithoutGeneralSectionYieldsNothing) {
  write_line({});
  write_train_text(crlf({"titolo", "sabbia, 1", "numero vetture, 6"}));
  memorizza_dati(*comp);
  EXPECT_EQ(error_code(), 0);
  EXPECT_EQ(entry(86).d2a, 0);
  EXPECT_EQ(entry(84).pos_m, 0);
}

TEST_F(ReaderTest, UnknownKeywordsAreReportedWithTheirLine) {
  read({"", "- commento", "[curve]", "pendenz"}, {"sabia"});
  ASSERT_EQ(observer.keywords.size(), 2u);
  EXPECT_EQ(observer.keywords[0].source, SourceKind::line);
  EXPECT_EQ(observer.keywords[0].line, kFirstLineRecord + 3);
  EXPECT_EQ(observer.keywords[0].field, "pendenz");
  EXPECT_EQ(observer.keywords[1].source, SourceKind::train);
  EXPECT_EQ(observer.keywords[1].line, kFirstTrainRecord);
  EXPECT_EQ(observer.keywords[1].field, "sabia");
}

// Values a recognised record leaves unread come up as fields of its own line: they are not
// unknown keywords. A line on which nothing was recognised is still reported in full, and a
// record recognised in the line source says nothing about the same line number of the train
// source.
TEST_F(ReaderTest, FieldsLeftOnARecognisedRecordsLineAreNotUnknownKeywords) {
  comp->options.build_line = false;
  read({"curvas2, 700, 100", "pendenza, 100, 1, 2, sabia", "pendenz, 3"},
       {"", "", "", "", "", "", "", "sabia", "sabbia, 1, 2"});
  EXPECT_EQ(error_code(), 0);
  EXPECT_EQ(cell(2).gradient_100, 101);
  EXPECT_EQ(entry(86).d2a, 1);
  ASSERT_EQ(observer.keywords.size(), 3u);
  EXPECT_EQ(observer.keywords[0].source, SourceKind::line);
  EXPECT_EQ(observer.keywords[0].line, kFirstLineRecord + 2);
  EXPECT_EQ(observer.keywords[0].field, "pendenz");
  EXPECT_EQ(observer.keywords[1].source, SourceKind::line);
  EXPECT_EQ(observer.keywords[1].line, kFirstLineRecord + 2);
  EXPECT_EQ(observer.keywords[1].field, "3");
  EXPECT_EQ(observer.keywords[2].source, SourceKind::train);
  // The line of the last record recognised in the line source.
  EXPECT_EQ(observer.keywords[2].line, kFirstLineRecord + 1);
  EXPECT_EQ(observer.keywords[2].field, "sabia");

  // With the line geometry the curve reads its values itself: nothing is left over either way.
  reset();
  read({"curvas2, 700, 100, 5"}, {});
  EXPECT_EQ(error_code(), 0);
  EXPECT_TRUE(observer.keywords.empty());
}

TEST_F(ReaderTest, BuiltInCommentLinesCarryNothing) {
  read({"curvas2,   700,  100", "- prasine", "-sassolego", "- s tebalo", "curvad3,  1150,  300"},
       {"[stazioni]",
        "-           pos. tipo lung. t  t  m    d d r   d d d   a   o  o  o   nome        ,",
        "-                           p  a  a    2 3 a   1 2 3   c   r  r  r",
        "-                           s  b  r        p               o  m  s",
        "stazione,      0,  8, 400,  1, 0, 0,   4,0,0,  2,1,0,  1, 19,05, 0, VALDORA S.T.V.", "",
        "[segnali]", "", "", "-                1                     destra",
        "-                a  d1 d2 d3 ra       d1 d2 d3 ac", "-                v",
        "segnale,   1000, 1, 3, 4, 0, 0,     0, 0, 0, 0, 0"});
  EXPECT_EQ(error_code(), 0);
  EXPECT_TRUE(observer.keywords.empty());
  EXPECT_EQ(entry(1).name, "VALDORA S.T.V.");
  EXPECT_EQ(cell(21).kind, cell_kind::signal);
}

// ---- Beyond the end of the track: code 15 ----

TEST_F(ReaderTest, EndOfTrackTestUsesPositionPlus100OrPlus800ForStations) {
  // 16900 + 100 = 50 x track_last exactly: still on the track.
  read({"pendenza, 16900, 1"}, {"stazione, 16200, 28, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A",
                                "segnale, 16900, 1,3,4,0,0, 0,0,0,0,0"});
  EXPECT_EQ(error_code(), 0);
  EXPECT_EQ(cell(339).kind, cell_kind::signal);

  struct Case {
    std::vector<std::string> line;
    std::vector<std::string> train;
    std::int32_t pos;
  };
  const std::vector<Case> cases{
      {{"pendenza, 16901, 1"}, {}, 16901},
      {{"curvas2, 16901, 50"}, {}, 16901},
      {{"montagna, 16901, 17000, 1"}, {}, 16901},
      {{"indicatori_vmax, 16901, 100, 100, 100, 0, 0, 0, 0, 0"}, {}, 16901},
      {{"cartello indicatore, 16901, X"}, {}, 16901},
      {{}, {"velocita' limite , 16901, 100"}, 16901},
      {{}, {"aderenza, 16901, 100"}, 16901},
      {{}, {"segnale, 16901, 1,3,4,0,0, 0,0,0,0,0"}, 16901},
      {{}, {"rallentamento, 16901, 30, 150, 1, 1, 0"}, 16901},
      {{}, {"abbattimento codice, 16901, 0"}, 16901},
      {{}, {"stazione, 16250, 28, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A"}, 16250},
  };
  for (const Case& c : cases) {
    reset();
    read(c.line, c.train);
    expect_code(15, c.pos);
  }
}

TEST_F(ReaderTest, Code15LeavesOnlyItsOwnSourceAndALaterCodeReplacesIt) {
  read({"pendenza, 20000, 1", "cartello indicatore, 1000, X"},
       {"numero vetture, 6", "segnale, 1000, 1,3,4,0,0, 0,0,0,0,0", "sabbia, 1"});
  expect_code(15, 20000);
  ASSERT_EQ(observer.codes.size(), 1u);
  EXPECT_EQ(observer.codes[0].source, SourceKind::line);
  EXPECT_EQ(observer.codes[0].line, kFirstLineRecord);
  // The rest of the line source is skipped, its tail still written.
  EXPECT_EQ(cell(21).kind, cell_kind::signal);
  EXPECT_TRUE(entry(80).name.empty());
  EXPECT_EQ(cell(100).gradient_100, 100);
  // The train source is read in full although 15 is still the recorded code.
  EXPECT_EQ(entry(84).pos_m, 6);
  EXPECT_EQ(entry(86).d2a, 1);

  reset();
  read({"pendenza, 20000, 1"},
       {"abbattimento codice, 1000, 1", "abbattimento codice, 1000, 1", "sabbia, 1"});
  expect_code(7, 1000);
  EXPECT_EQ(entry(86).d2a, 0);
}

TEST_F(ReaderTest, Code15InTheTrainSourceStillWritesTheTails) {
  read({}, {"velocita' limite , 0, 100", "aderenza, 0, 70", "sabbia, 1",
            "velocita' limite , 17000, 50", "sabbia, 2"});
  expect_code(15, 17000);
  EXPECT_EQ(observer.codes[0].source, SourceKind::train);
  EXPECT_EQ(observer.codes[0].line, kFirstTrainRecord + 3);
  EXPECT_EQ(entry(86).d2a, 1);
  EXPECT_EQ(cell(337).speed_div5, 20);
  EXPECT_EQ(cell(337).adhesion, 70);
}

// ---- Recorders: the reader stops on the code of that call only ----

TEST_F(ReaderTest, RecorderCodesStopTheReadingWithTheFeaturePosition) {
  struct Case {
    const char* what;
    std::vector<std::string> line;
    std::vector<std::string> train;
    std::int32_t code;
    std::int32_t pos;
  };
  const std::vector<Case> cases{
      {"board on a board",
       {"indicatori_vmax, 1000, 100, 100, 100, 0, 0, 0, 0, 0",
        "indicatori_vmax, 1000, 100, 100, 100, 0, 0, 0, 0, 0"},
       {},
       21,
       1000},
      {"signal on a board",
       {"indicatori_vmax, 1000, 100, 100, 100, 0, 0, 0, 0, 0"},
       {"segnale, 1000, 1,3,4,0,0, 0,0,0,0,0"},
       16,
       1000},
      {"signal too near the start", {}, {"segnale, 300, 1,3,4,0,0, 0,0,0,0,0"}, 16, 300},
      {"slowdown start on a signal",
       {},
       {"segnale, 5000, 1,3,4,0,0, 0,0,0,0,0", "rallentamento, 5000, 30, 150, 1, 1, 0"},
       18,
       5000},
  };
  for (const Case& c : cases) {
    reset();
    std::vector<std::string> train = c.train;
    train.push_back("sabbia, 1");
    std::vector<std::string> line = c.line;
    line.push_back("pendenza, 100, 5");
    read(line, train);
    expect_code(c.code, c.pos);
    // Nothing after the feature is read; a stop in the line source also skips its gradient tail.
    EXPECT_EQ(entry(86).d2a, 0) << c.what;
    EXPECT_EQ(cell(0).gradient_100, c.train.empty() ? 0 : 100) << c.what;
  }
}

TEST_F(ReaderTest, SignalAt350IsTheFirstAccepted) {
  read({}, {"segnale, 350, 1,3,4,0,0, 0,0,0,0,0"});
  EXPECT_EQ(error_code(), 0);
  EXPECT_EQ(cell(8).kind, cell_kind::signal);
  EXPECT_EQ(cell(0).approach_code, 34);
}

// ---- Stretch properties ----

TEST_F(ReaderTest, GradientFillsUpToEachRecordAndTheTailStopsThreeCellsShort) {
  read({"pendenza, 100, 4", "pendenza, 300, -2", "pendenza, 310, 3", "pendenza, 425, 0"}, {});
  EXPECT_EQ(error_code(), 0);
  // Before the first record the gradient is 0.
  EXPECT_EQ(cell(0).gradient_100, 100);
  EXPECT_EQ(cell(1).gradient_100, 100);
  for (std::size_t i = 2; i <= 5; ++i) EXPECT_EQ(cell(i).gradient_100, 104) << i;
  // The cursor had already reached round(310 / 50): one cell is still written.
  EXPECT_EQ(cell(6).gradient_100, 98);
  // round(425 / 50) = round(8.5) = 8, halves to even.
  EXPECT_EQ(cell(7).gradient_100, 103);
  EXPECT_EQ(cell(8).gradient_100, 100);
  EXPECT_EQ(cell(kTrackLast - 3).gradient_100, 100);
  EXPECT_EQ(cell(kTrackLast - 2).gradient_100, 0);
  EXPECT_EQ(cell(kTrackLast).gradient_100, 0);
}

TEST_F(ReaderTest, SpeedAndAdhesionBeforeTheFirstRecordTakeItsOwnValue) {
  read({}, {"velocita' limite ,  1000    ,  100", "velocita' limite ,  2000    ,   62",
            "aderenza,  500, 70", "aderenza,  1000, 300"});
  EXPECT_EQ(error_code(), 0);
  EXPECT_EQ(cell(0).speed_div5, 20);
  EXPECT_EQ(cell(19).speed_div5, 20);
  EXPECT_EQ(cell(20).speed_div5, 20);
  EXPECT_EQ(cell(39).speed_div5, 20);
  // round(62 / 5) = 12.
  EXPECT_EQ(cell(40).speed_div5, 12);
  EXPECT_EQ(cell(kTrackLast - 3).speed_div5, 12);
  EXPECT_EQ(cell(kTrackLast - 2).speed_div5, 0);

  EXPECT_EQ(cell(0).adhesion, 70);
  EXPECT_EQ(cell(19).adhesion, 70);
  // Adhesion keeps its low 8 bits: 300 gives 44.
  EXPECT_EQ(cell(20).adhesion, 44);
  EXPECT_EQ(cell(kTrackLast - 3).adhesion, 44);
  EXPECT_EQ(cell(kTrackLast - 2).adhesion, 0);
}

TEST_F(ReaderTest, SpeedFillingStopsAtTheLastCellButAdhesionDoesNot) {
  // Every record writes at least one cell, so enough of them push the cursor to the end.
  std::vector<std::string> speeds(kTrackLast + 5, "velocita' limite , 50, 100");
  read({}, speeds);
  EXPECT_EQ(error_code(), 0);
  EXPECT_EQ(cell(kTrackLast - 1).speed_div5, 20);
  EXPECT_EQ(cell(kTrackLast).speed_div5, 20);

  reset();
  read({}, std::vector<std::string>(kTrackLast + 5, "aderenza, 50, 100"));
  expect_code(25, std::nullopt);
}

TEST_F(ReaderTest, WithoutSpeedOrAdhesionRecordsTheCellsStayZero) {
  read({}, {});
  EXPECT_EQ(error_code(), 0);
  EXPECT_EQ(cell(0).speed_div5, 0);
  EXPECT_EQ(cell(0).adhesion, 0);
  EXPECT_EQ(cell(0).gradient_100, 100);
}

// ---- Signboards and code cuts ----

TEST_F(ReaderTest, SignboardsTakeSlotsFrom80DownAndTunnelMarkersGiveWay) {
  // Type 12: tunnel markers in every fourth cell of 20..29, that is 23 and 27.
  read({"montagna, 1000, 1500, 12", "cartello indicatore,  1100,    (  Km. ) (1.100)",
        "cartello indicatore,  2000, (Citt\xe8)", "cartello indicatore,  2100, (Citt\xc3\xa0)"},
       {});
  EXPECT_EQ(error_code(), 0);
  EXPECT_EQ(cell(27).kind, cell_kind::tunnel_marker);
  EXPECT_EQ(cell(23).kind, cell_kind::signboard);
  EXPECT_EQ(cell(23).value1, 80);
  EXPECT_EQ(entry(80).name, "(  Km. ) (1.100)");
  EXPECT_EQ(cell(41).value1, 79);
  // A byte that is not UTF-8 is taken as Windows-1252; valid UTF-8 is kept.
  EXPECT_EQ(entry(79).name, "(Citt\xc3\xa8)");
  EXPECT_EQ(entry(78).name, "(Citt\xc3\xa0)");
}

TEST_F(ReaderTest, SignOnASpeedBoardIs6AndNothingMoreIsRead) {
  read({"indicatori_vmax, 2000, 100, 100, 100, 0, 0, 0, 0, 0", "cartello indicatore, 1000, primo",
        "cartello indicatore, 2000, secondo", "cartello indicatore, 3000, terzo"},
       {"sabbia, 1"});
  expect_code(6, 2000);
  EXPECT_EQ(cell(41).kind, cell_kind::speed_board);
  EXPECT_EQ(entry(80).name, "primo");
  EXPECT_TRUE(entry(79).name.empty());
  EXPECT_EQ(cell(61).kind, cell_kind::free);
  EXPECT_EQ(entry(86).d2a, 0);
}

TEST_F(ReaderTest, SignTextLimits) {
  // 40000 two-byte characters are 40000 bytes in the table file.
  std::string utf8;
  for (int i = 0; i < 40000; ++i) utf8 += "\xc3\xa8";
  read({"cartello indicatore, 1000, " + utf8,
        "cartello indicatore, 1100, " + std::string(65535, 'a')},
       {});
  EXPECT_EQ(error_code(), 0);
  EXPECT_EQ(entry(80).name, utf8);

  reset();
  read({"cartello indicatore, 1000, " + std::string(65536, 'a')}, {});
  expect_code(25, std::nullopt);
  EXPECT_EQ(cell(21).kind, cell_kind::free);
}

TEST_F(ReaderTest, MoreThan80SignsIs25ButAnOccupiedCellStillGives6) {
  std::vector<std::string> signs;
  for (int i = 0; i < 80; ++i) {
    signs.push_back("cartello indicatore, " + std::to_string(1000 + 100 * i) + ", s" +
                    std::to_string(i));
  }
  std::vector<std::string> line = signs;
  line.push_back("cartello indicatore, 9900, s80");
  read(line, {});
  expect_code(25, std::nullopt);
  EXPECT_EQ(entry(1).name, "s79");
  EXPECT_TRUE(entry(0).name.empty());
  EXPECT_EQ(cell(199).kind, cell_kind::free);

  reset();
  line = signs;
  line.push_back("cartello indicatore, 1000, again");
  read(line, {});
  expect_code(6, 1000);
}

TEST_F(ReaderTest, CodeCutSitsOneCellBeforeASignalAtTheSamePosition) {
  read({}, {"segnale, 1000, 1,3,4,0,0, 0,0,0,0,0", "abbattimento codice, 1000, 0",
            "abbattimento codice,2000,180  "});
  EXPECT_EQ(error_code(), 0);
  EXPECT_EQ(cell(21).kind, cell_kind::signal);
  EXPECT_EQ(cell(20).kind, cell_kind::code_cut_zero);
  EXPECT_EQ(cell(40).kind, cell_kind::code_cut);
  EXPECT_EQ(cell(40).value1, 180);

  reset();
  read({}, {"segnale, 1000, 1,3,4,0,0, 0,0,0,0,0", "abbattimento codice, 1050, 1"});
  expect_code(7, 1050);
}

// ---- Stations ----

// The station rows of the built-in train source.
const std::vector<std::string> kBuiltInStations{
    "stazione,      0,  8, 400,  1, 0, 0,   4,0,0,  2,1,0,  1, 19,05, 0, VALDORA S.T.V.",
    "Stazione,   2750,  2, 600,  1, 0, 1,   4,1,0,  2,1,1, 40, 19,11, 0, VALDORA CORVELI",
    "stazione,   7400,  4, 500,  0, 0, 1,   1,1,0,  3,1,1,170,  0, 0, 0, VALDORA PRASINE",
    "stazione,  11950, 28, 400,  0, 0, 0,   0,0,0,  0,0,0,  0,  0, 0, 0, S.FELDINO",
    "stazione,  15900, 12, 600,  1, 0, 1,   3,1,0,  2,1,1, 60, 19,23, 0, MERVA",
    "stazione,  19150, 28, 300,  0, 0, 0,   0,0,0,  0,0,0,  0,  0, 0, 0, FONTEGRAVO",
    "stazione,  27550, 22, 400,  0, 0, 0,   0,0,0,  4,1,1, 40, 19,33, 0, SASSOLEGO",
    "stazione,  33800,  4, 600,  0, 0, 0,   1,1,0,  4,1,1, 60, 19,40, 0, ORVENA",
    "stazione,  43400, 22, 500,  0, 0, 0,   1,1,0,  4,1,1, 40, 19,47, 0, S.CORSIGO",
    "stazione,  49300, 22, 600,  0, 0, 0,   1,1,0,  4,1,1, 30, 19,53, 0, S.TEBALO",
    "stazione,  56800, 28, 300,  0, 0, 0,   0,0,0,  0,0,0,  0,  0, 0, 0, LA BRISA",
    "stazione,  61400,  4, 600,  1, 0, 0,   3,1,0,  2,1,1, 95, 20, 3, 0, MARZELONE",
    "stazione,  68300, 22, 400,  0, 0, 0,   1,1,0,  3,1,1, 40, 20,10, 0, PERLADA",
    "stazione,  70650, 28, 300,  0, 0, 0,   0,0,0,  0,0,0,  0,  0, 0, 0, S.BALDIERO",
    "stazione,  73200, 22, 400,  0, 0, 0,   1,1,0,  3,1,1,230,  0, 0, 0, CORNETOLA",
    "stazione,  80850,  2, 700,  1, 0, 0,   1,1,0,  4,1,1,  0, 20,22, 0, LUSA C.le"};

TEST_F(ReaderTest, BuiltInStationsAreStoredInOrder) {
  read({}, kBuiltInStations, 82000);
  EXPECT_EQ(error_code(), 0);

  // The row written "Stazione" is entry 2, stored in full.
  const SimRecord& corveli = entry(2);
  EXPECT_EQ(corveli.name, "VALDORA CORVELI");
  EXPECT_EQ(corveli.kind, 2);
  EXPECT_EQ(corveli.pos_m, 2750);
  EXPECT_EQ(corveli.start_m, 2450);
  EXPECT_EQ(corveli.end_m, 3100);  // mar set: 50 m further
  EXPECT_EQ(corveli.tps, 1);
  EXPECT_EQ(corveli.tab, 0);
  EXPECT_EQ(corveli.mar, 1);
  EXPECT_EQ(corveli.d2a, 4);
  EXPECT_EQ(corveli.d3a, 1);
  EXPECT_EQ(corveli.rap, 0);
  EXPECT_EQ(corveli.d1b, 2);
  EXPECT_EQ(corveli.d2b, 1);
  EXPECT_EQ(corveli.d3b, 1);
  EXPECT_EQ(corveli.ac, 40);
  EXPECT_EQ(corveli.time_s, 19 * 3600 + 11 * 60);
  EXPECT_EQ(cell(61).kind, cell_kind::station_stop);
  EXPECT_EQ(cell(61).value1, 2);
  for (int k = 1; k <= 4; ++k)
    EXPECT_EQ(cell(61 - static_cast<std::size_t>(k)).approach_code, 80 + k);

  // Type 8 at 0: zone -400 to 400, stop cell 7.
  EXPECT_EQ(entry(1).start_m, -400);
  EXPECT_EQ(entry(1).end_m, 400);
  EXPECT_EQ(entry(1).time_s, 19 * 3600 + 5 * 60);
  EXPECT_EQ(cell(7).value1, 1);
  EXPECT_EQ(cell(3).approach_code, 84);

  // Type 28: no stop cell.
  EXPECT_EQ(entry(4).end_m, 12150);
  EXPECT_EQ(cell(242).kind, cell_kind::free);
  EXPECT_EQ(cell(241).approach_code, 0);

  EXPECT_EQ(entry(16).name, "LUSA C.le");
  EXPECT_EQ(entry(16).end_m, 81200);
  EXPECT_EQ(cell(1623).value1, 16);
  EXPECT_EQ(entry(17), SimRecord{});
}

TEST_F(ReaderTest, StationZonesByType) {
  // Every station has tab 1 as read, and mar 1 unless it would upset the spacing.
  read({"indicatori_vmax, 1050, 100, 100, 100, 0, 0, 0, 0, 0"},
       {"stazione, 1000,  5, 400, 0, 1, 1, 0,0,0, 0,0,0, 0, 19,05,30, A",
        "stazione, 3000,  7, 400, 0, 1, 1, 0,0,0, 0,0,0, 0, 0,0,0, B",
        "stazione, 5000, 12, 600, 0, 1, 1, 0,0,0, 0,0,0, 0, 0,0,0, C",
        "stazione, 7000, 25, 200, 0, 1, 0, 0,0,0, 0,0,0, 0, 0,0,0, D",
        "stazione, 7550, 12, 200, 0, 1, 0, 0,0,0, 0,0,0, 0, 0,0,0, E"});
  EXPECT_EQ(error_code(), 0);

  // Type 5: to 150 m past the position, mar cleared; a stop cell but no approach codes. The
  // stop cell replaces the speed board that was there.
  EXPECT_EQ(entry(1).start_m, 600);
  EXPECT_EQ(entry(1).end_m, 1150);
  EXPECT_EQ(entry(1).mar, 0);
  EXPECT_EQ(entry(1).tab, 0);
  EXPECT_EQ(entry(1).time_s, 19 * 3600 + 5 * 60 + 30);
  EXPECT_EQ(cell(22).kind, cell_kind::station_stop);
  EXPECT_EQ(cell(22).value1, 1);
  EXPECT_EQ(cell(21).approach_code, 0);

  // Type 7: position plus and minus the length; short, so tab is cleared.
  EXPECT_EQ(entry(2).start_m, 2600);
  EXPECT_EQ(entry(2).end_m, 3400);
  EXPECT_EQ(entry(2).mar, 0);
  EXPECT_EQ(entry(2).tab, 0);
  EXPECT_EQ(cell(67).value1, 2);
  EXPECT_EQ(cell(66).approach_code, 81);
  EXPECT_EQ(cell(63).approach_code, 84);

  // Other types: centred, 50 m more with mar; 600 m keeps tab.
  EXPECT_EQ(entry(3).start_m, 4700);
  EXPECT_EQ(entry(3).end_m, 5350);
  EXPECT_EQ(entry(3).mar, 1);
  EXPECT_EQ(entry(3).tab, 1);
  EXPECT_EQ(cell(106).value1, 3);

  // Type 25 and above: no stop cell, no approach codes.
  EXPECT_EQ(entry(4).end_m, 7100);
  EXPECT_EQ(cell(141).kind, cell_kind::free);
  EXPECT_EQ(cell(140).approach_code, 0);
  EXPECT_EQ(cell(137).approach_code, 0);

  // Exactly 350 m after the previous end is enough.
  EXPECT_EQ(entry(5).start_m, 7450);
  EXPECT_EQ(cell(152).value1, 5);
}

TEST_F(ReaderTest, ApproachCodesOnlyBeyondCellOne) {
  // Zone 100 to 300: stop cell 5, approach codes in cells 4, 3 and 2; cell 1 is left alone.
  read({}, {"stazione, 200, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A"});
  EXPECT_EQ(error_code(), 0);
  EXPECT_EQ(cell(5).value1, 1);
  EXPECT_EQ(cell(4).approach_code, 81);
  EXPECT_EQ(cell(2).approach_code, 83);
  EXPECT_EQ(cell(1).approach_code, 0);
}

TEST_F(ReaderTest, StationCodes) {
  const std::string first = "stazione, 1000, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A";
  struct Case {
    const char* what;
    std::string station;
    std::int32_t code;
    std::optional<std::int32_t> pos;
  };
  const std::vector<Case> cases{
      {"position", "stazione, 3025, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, B", 8, 3025},
      {"length", "stazione, 3000, 12, 250, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, B", 9, 3000},
      {"spacing", "stazione, 1500, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, B", 22, 1500},
      {"stop too near the start", "stazione, 0, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, B", 24,
       std::nullopt},
  };
  for (const Case& c : cases) {
    reset();
    read({}, {first, c.station, "sabbia, 1"});
    expect_code(c.code, c.pos);
    // Earlier stations stay; nothing after is read.
    EXPECT_EQ(entry(1).name, "A") << c.what;
    EXPECT_EQ(cell(21).value1, 1) << c.what;
    EXPECT_EQ(entry(86).d2a, 0) << c.what;
  }
  // A station refused for its spacing has been stored in full.
  reset();
  read({}, {first, cases[2].station});
  EXPECT_EQ(entry(2).name, "B");
  EXPECT_EQ(entry(2).end_m, 1600);
  EXPECT_EQ(cell(31).value1, 2);
}

TEST_F(ReaderTest, StationsMeetingTheSignTextsGive10) {
  const auto signs = [](int n) {
    std::vector<std::string> line;
    for (int i = 0; i < n; ++i) {
      line.push_back("cartello indicatore, " + std::to_string(1000 + 100 * i) + ", s" +
                     std::to_string(i));
    }
    return line;
  };
  const std::vector<std::string> stations{
      "stazione, 12000, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, A",
      "stazione, 13000, 12, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, B", "sabbia, 1"};

  // 77 signs use entries 80 to 4: the station in entry 2 is stored, then refused.
  read(signs(77), stations);
  expect_code(10, std::nullopt);
  EXPECT_EQ(entry(2).name, "B");
  EXPECT_EQ(entry(4).name, "s76");
  EXPECT_EQ(entry(86).d2a, 0);

  // 80 signs fill entry 1: the first station is refused before anything of it is stored.
  reset();
  read(signs(80), stations);
  expect_code(10, std::nullopt);
  EXPECT_EQ(entry(1).name, "s79");
  EXPECT_EQ(entry(1).pos_m, 0);
  EXPECT_EQ(cell(241).kind, cell_kind::free);
}

// ---- Line geometry ----

TEST_F(ReaderTest, GeometryStartsWithIntegerRowsAndStraightSteps) {
  read({}, {});
  const LineGeometry& g = line();
  EXPECT_EQ(g.at(0, 0), LineValue::integer(0));
  EXPECT_EQ(g.at(0, 1), LineValue::integer(0));
  EXPECT_EQ(g.at(1, 0), LineValue::integer(0));
  EXPECT_EQ(g.at(1, 1), LineValue::integer(1));
  EXPECT_EQ(g.at(2, 0), LineValue::real(0.0));
  EXPECT_EQ(g.at(2, 1), LineValue::real(2.0));
  EXPECT_EQ(g.at(kLineLast - 2, 1), LineValue::real(kLineLast - 2));
  // The last two rows stay empty.
  EXPECT_TRUE(g.at(kLineLast - 1, 0).empty());
  EXPECT_TRUE(g.at(kLineLast - 1, 1).empty());
  EXPECT_TRUE(g.at(kLineLast, 1).empty());
}

TEST_F(ReaderTest, CurvedStepsTurnTheStepVector) {
  // Class 1 to the left: k = -0.0001 from metre 11 to metre 12.
  read({"curvas1, 10, 2"}, {});
  const LineGeometry& g = line();
  const double k = -0.0001;
  EXPECT_EQ(g.at(10, 0), LineValue::real(0.0));
  EXPECT_EQ(g.at(10, 1), LineValue::real(10.0));
  // Metre 11: dx 0, dy 1.
  const double x11 = 0.0 + (0.0 + k * 1.0);
  const double y11 = 10.0 + (1.0 - k * 0.0);
  EXPECT_EQ(g.at(11, 0), LineValue::real(x11));
  EXPECT_EQ(g.at(11, 1), LineValue::real(y11));
  // Metre 12 from metres 10 and 11.
  const double dx = x11 - 0.0;
  const double dy = y11 - 10.0;
  const double x12 = x11 + (dx + k * dy);
  const double y12 = y11 + (dy - k * dx);
  EXPECT_EQ(g.at(12, 0), LineValue::real(x12));
  EXPECT_EQ(g.at(12, 1), LineValue::real(y12));
  EXPECT_LT(x12, -0.0002);
  // Metre 13 continues straight along the last step.
  EXPECT_EQ(g.at(13, 0), LineValue::real(x12 + (x12 - x11)));

  // "d" turns the other way; the side letter is found in any case.
  reset();
  read({"curvad1, 10, 2"}, {});
  EXPECT_EQ(line().at(11, 0), LineValue::real(0.0001));
  reset();
  read({"CURVAS1, 10, 2"}, {});
  EXPECT_EQ(line().at(11, 0), LineValue::real(-0.0001));
}

// The line file carries these doubles bit for bit: each step adds (dx + k dy) to the previous
// value, in that order.
TEST_F(ReaderTest, LongCurveKeepsTheOrderOfEveryStepsArithmetic) {
  read({"curvas5, 10, 3000"}, {});
  double x0 = 0.0;
  double y0 = 9.0;
  double x1 = 0.0;
  double y1 = 10.0;
  const double k = -0.002;
  for (int m = 11; m <= 3010; ++m) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    x0 = x1;
    y0 = y1;
    x1 = x0 + (dx + k * dy);
    y1 = y0 + (dy - k * dx);
  }
  EXPECT_EQ(line().at(3010, 0), LineValue::real(x1));
  EXPECT_EQ(line().at(3010, 1), LineValue::real(y1));
}

TEST_F(ReaderTest, CurveClassIsTheFirstDigitTestedFrom1To6) {
  read({"curvad62, 10, 1"}, {});
  EXPECT_EQ(line().at(11, 0), LineValue::real(0.0002));

  reset();
  read({"curvas, 10, 1"}, {"sabbia, 1"});
  expect_code(103, std::nullopt);
  EXPECT_EQ(entry(86).d2a, 0);
}

TEST_F(ReaderTest, OverlappingCurveCurvesOnFromTheCursor) {
  read({"curvad4, 100, 50", "curvad4, 120, 50"}, {});
  const LineGeometry& g = line();
  // Metre 151 follows without a straight run: it still turns.
  const double x149 = g.at(149, 0).number();
  const double x150 = g.at(150, 0).number();
  const double y149 = g.at(149, 1).number();
  const double y150 = g.at(150, 1).number();
  const double k = 0.001;
  EXPECT_EQ(g.at(151, 0).number(), x150 + ((x150 - x149) + k * (y150 - y149)));
  // Curving ends at metre 170.
  const double x169 = g.at(169, 0).number();
  const double x170 = g.at(170, 0).number();
  const double y169 = g.at(169, 1).number();
  const double y170 = g.at(170, 1).number();
  EXPECT_EQ(g.at(171, 0).number(), x170 + (x170 - x169));
  EXPECT_NE(x170 - x169, g.at(151, 0).number() - x150);
  EXPECT_EQ(g.at(171, 1).number(), y170 + (y170 - y169));
}

TEST_F(ReaderTest, GeometryPastOneMillionMetresIs103) {
  read({"curvas2, 999990, 20"}, {}, 1000000);
  expect_code(103, std::nullopt);
  EXPECT_EQ(line().at(1000000, 0).tag(), LineValue::Tag::real);
  EXPECT_TRUE(line().at(1000001, 0).empty());
}

TEST_F(ReaderTest, WithoutTheLineFlagCurvesAreIgnored) {
  comp->options.build_line = false;
  read({"curvas, 10, 1"}, {});
  EXPECT_EQ(error_code(), 0);
  EXPECT_FALSE(comp->model.line.has_value());
}

}  // namespace
}  // namespace scenario
