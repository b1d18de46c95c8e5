#include "scenario_tool/compile/warnings.h"

#include <array>

namespace scenario::tool {

namespace {

constexpr SourceKind kLine = SourceKind::line;
constexpr SourceKind kTrain = SourceKind::train;

constexpr std::array<WarningInfo, 25> kWarnings{{
    {"unknown-keyword", "a line whose keyword matches no record kind",
     "The reader passes over a line whose first field matches no keyword without a word, so a "
     "mistyped keyword loses the record silently: a \"pendenze\" for \"pendenza\" loses a "
     "gradient. The record is lost, so this is an error; the message names the nearest keyword "
     "when one is close.",
     kLine, "pendenze, 2000, 4", true},
    {"other-source", "a record of the other source",
     "The line source reads only line records and the train source only train records: a "
     "signal written in the line source, or a gradient in the train source, is passed over "
     "and lost. Move the record to the source it belongs to.",
     kLine, "segnale, 13500, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0", true},
    {"general-section", "a line record in the general section",
     "Between \"[generale]\" and the next section header the line source reads only the "
     "general records (the route length, kilometre points, backgrounds, code repetition): a "
     "gradient, curve, tunnel, board or sign written there is passed over and lost. Put it "
     "after the next section header.",
     kLine, "general: pendenza, 500, 3", true},
    {"after-end", "a record after the [fine] end marker",
     "The \"[fine]\" header ends a source for whoever reads it. The generator still reads the "
     "records after it, but a record there is almost always one left behind by an edit: move it "
     "above the marker.",
     kTrain, "[fine]\nsabbia, 1", true},
    {"misspelt-header", "a slip for the [generale] header",
     "Nothing before \"[generale]\" is read. A header on its own line that is a slip for it "
     "(\"[generle]\", \"[general]\") loses every record of the source: the line source then "
     "ends with error 102, the train source yields no record. The error stands on the header's "
     "line.",
     SourceKind::none, "[generle]", true},
    {"fields-missing", "a record with fewer fields than its kind has",
     "The reader takes the missing values from the lines that follow, so the record usually "
     "fails there with error 25, taking the next record down with it. Give the record all its "
     "fields (scenario_tool explain KEYWORD lists them).",
     kTrain, "segnale, 13500, 2, 4"},
    {"fields-left-over", "a record with more fields than its kind has",
     "The values after the last field are passed over: they are not part of the record. Often "
     "a comma too many inside a value, or two records run together.",
     kTrain, "sabbia, 1, 0"},
    {"record-unreadable", "a value that is not a whole number",
     "Numbers are whole numbers, with an optional minus sign: no decimal point, no letters. The "
     "compiler fails with error 25 when it reaches such a value.",
     kLine, "pendenza, 10.5, 1"},
    {"out-of-range", "a value outside the range that makes sense for its field",
     "The value compiles, but no real line has it: a gradient of 155 per mille, a speed of "
     "1275 km/h, minute 75, a station type of 99. A value outside what the compiler takes at all "
     "makes the compile fail with error 25 instead; the message says which range applies.",
     kTrain, "velocita' limite, 0, 1275"},
    {"rounded", "a value the compiler stores rounded or changed",
     "Speeds are stored in steps of 5 km/h (7 becomes 5), and a signal time of 1 to 100 becomes "
     "101. Write the value that is stored.",
     kTrain, "velocita' limite, 0, 7"},
    {"text-cut", "a station name or sign text cut at a comma",
     "A text runs to the next comma or the end of the line: what follows a comma is not part of "
     "it. Leave commas out of names and inscriptions.",
     kTrain, "stazione, 2000, 2, 600, 1,0,0, 4,1,0, 2,1,1, 40, 19,11,0, PORTO, CENTRALE"},
    {"text-lossy", "a character the 8-bit files cannot hold",
     "The table file holds names and texts in Windows-1252, one byte a character: a character "
     "outside it (a Greek or CJK letter, an emoji) is stored as '?'. Write the text with the "
     "letters of Western European languages.",
     kLine, "cartello indicatore, 9050, \u03a9mega"},
    {"gradient-unset", "a gradient of -100 per mille",
     "A gradient is stored as the gradient plus 100 in one byte, and the byte 0 means 'no "
     "gradient written': -100 turns the stretch into one without a gradient.",
     kLine, "pendenza, 2000, -100"},
    {"stretch-reversed", "a tunnel that ends before it starts",
     "No cell of such a tunnel is stored. Give the start first, then the end.", kLine,
     "montagna, 15200, 14000, 1"},
    {"slowdown-no-end", "a slowdown so short that its end falls in its start's cell",
     "The end cell is then the start cell, so the slowdown has no end on the track: the code "
     "markers inside it run on every 8 cells to the end of the track. Give it a length of 50 m "
     "or more.",
     kTrain, "rallentamento, 10500, 30, 0, 1, 1, 0"},
    {"slowdown-unannounced", "a slowdown at or before km 1.500",
     "A slowdown whose start lies at or before 1500 m has neither its warning cell (1200 m "
     "before the start) nor its announce cells, whatever f_ta says.",
     kTrain, "rallentamento, 500, 30, 150, 1, 1, 0"},
    {"beyond-route", "a feature beyond the end of the route",
     "The track runs on 7000 m past the route length, so a feature there compiles, but the route "
     "has ended before it.",
     kTrain, "segnale, 25000, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0"},
    {"out-of-order", "stretch records that do not stand in rising order",
     "Gradients, speed limits, adhesion and curves are stretches, each from its record's "
     "position up to the next record: the records must stand in rising order of position, or "
     "the stretches come out wrong.",
     kLine, "pendenza, 500, 2"},
    {"header-keyword", "a section header that holds a record keyword",
     "Section headers only guide a reader, but the compiler tests every field for keywords: "
     "\"[curva]\" is read as a curve record and takes its values from the lines that follow. "
     "Section names are plurals that hold no keyword: [pendenze], [curve], [cartelli].",
     kLine, "[curva]", true},
    {"comment-keyword", "a comment line whose later fields hold a record keyword",
     "A comment is a field with a minus sign in it; the fields after its commas are tested as "
     "keywords again. Keep commas out of comments.",
     kLine, "- note, pendenza, 3000, 1"},
    {"keyword-ambiguous", "a keyword that matches two record kinds",
     "The line is read once for each kind whose words it holds, each time with values of its "
     "own.",
     kTrain, "velocita' limite aderenza, 0, 100"},
    {"curve-side", "a curve without its side letter",
     "The keyword of a curve carries its side, s for a left-hand curve and d for a right-hand "
     "one, and its class digit: curvas2, curvad4. Without a side letter the curve turns right.",
     kLine, "curva3, 2500, 1200"},
    {"curve-class", "a curve keyword whose digits are not one class",
     "The class is found anywhere in the keyword: the lowest digit 1 to 6 it holds. A radius "
     "written into it (curvad300) compiles as a curve of class 3, radius 2500 m, with no "
     "code. Write the side and one class digit: curvad3, and the length as the record's value.",
     kLine, "curvad300, 2500, 1200", true},
    {"missing-record", "a record the scenario needs is missing",
     "Without \"lunghezza percorso\" there is no track and nothing is written. Without the "
     "train's \"orologio\", \"velocita' limite\", \"aderenza\", \"numero vetture\" or "
     "\"percentuale massa frenata\" their values are 0 (the clock starts at 00:00:00).",
     SourceKind::none, "orologio"},
    {"no-general", "a train source without its [generale] header",
     "Records are read only after the \"[generale]\" header; a train source without it yields "
     "none.",
     SourceKind::none, "[generale]"},
}};

}  // namespace

std::span<const WarningInfo> all_warnings() { return kWarnings; }

const WarningInfo* find_warning(std::string_view id) {
  for (const WarningInfo& w : kWarnings) {
    if (w.id == id) return &w;
  }
  return nullptr;
}

}  // namespace scenario::tool
