#include "scenario_tool/explain/code_explanations.h"

namespace scenario::tool {

namespace {

using Lines = std::vector<std::string>;

std::string signal_at(int metres) {
  return "segnale, " + std::to_string(metres) + ", 1, 3, 4, 0, 0, 0, 0, 0, 0, 0";
}

const std::string kBoard = "indicatori_vmax, 1000, 100, 100, 100, 0, 0, 0, 0, 0";
// Warning cell 77, announce cells 76 to 73, start cell 101, end cell 104.
const std::string kSlowdown = "rallentamento, 5000, 30, 150, 1, 1, 0";

std::string station(int metres, int length, const std::string& name) {
  return "stazione, " + std::to_string(metres) + ", 12, " + std::to_string(length) +
         ", 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, " + name;
}

// 78 sign texts leave no table entry for a station.
Lines signboards(int n) {
  Lines out;
  for (int i = 0; i < n; ++i) {
    out.push_back("cartello indicatore, " + std::to_string(1000 + 100 * i) + ", s" +
                  std::to_string(i));
  }
  return out;
}

std::vector<CodeExplanation> make_explanations() {
  return {
      {Code::no_line_source,
       "The compiler reads ROUTE_linea.txt beside the train source; there is no such file.",
       "Name the line source ROUTE_linea.txt (scenario_tool compile takes it from its own "
       "argument, so this comes only from the generator's own run).",
       CodeExample{.no_line_source = true}},
      {Code::no_general,
       "The line source has no \"[generale]\" header, so the compiler finds none of its records.",
       "Put the \"[generale]\" header before the general records (\"lunghezza percorso\" first).",
       CodeExample{.no_general_header = true}},
      {Code::route_too_long,
       "\"lunghezza percorso\" gives more than 1000000 m (1000 km), the longest route the files "
       "can hold.",
       "Give a length of at most 1000000 m; split a longer line into two scenarios.",
       CodeExample{.general = {"lunghezza percorso, 1000001"}}},
      {Code::repeat_start, "The start of \"ripetizione segnali\" is not a multiple of 50 m.",
       "Round the start to a multiple of 50.",
       CodeExample{
           .general = {"lunghezza percorso, 20000", "ripetizione segnali 4 codici, 1025, 4000"}}},
      {Code::repeat_end, "The end of \"ripetizione segnali\" is not a multiple of 50 m.",
       "Round the end to a multiple of 50.",
       CodeExample{
           .general = {"lunghezza percorso, 20000", "ripetizione segnali 4 codici, 1000, 4025"}}},
      {Code::repeat_codes,
       "The keyword of \"ripetizione segnali\" holds neither the digit 4 nor the digit 9, which "
       "choose 4 or 9 codes.",
       "Write \"ripetizione segnali 4 codici\" or \"ripetizione segnali 9 codici\".",
       CodeExample{
           .general = {"lunghezza percorso, 20000", "ripetizione segnali codici, 1000, 4000"}}},
      {Code::bad_curve,
       "A curve's keyword holds no class digit 1 to 6 (curvas, curvad7), or the curves run the "
       "line past 1000000 m.",
       "Write the side and the class into the keyword, as in curvas2 or curvad4; keep every "
       "curve's end within 1000000 m.",
       CodeExample{.line = {"curvas, 1000, 100"}}},
      {Code::beyond_track,
       "A feature lies beyond the end of the track: more than route length + 6900 m from the "
       "start (+ 6200 m for a station). The source's reading ends there; the other source is "
       "still read.",
       "Check the position, and the route length in \"lunghezza percorso\".",
       CodeExample{.line = {"pendenza, 30000, 1"}}},
      {Code::sign_taken,
       "A sign falls on a cell that another feature already holds (a sign at p takes cell "
       "round(p / 50 + 1)).",
       "Move the sign or the other feature by 50 m or more.",
       CodeExample{.line = {kBoard, "cartello indicatore, 1000, X"}}},
      {Code::cut_taken,
       "A code cut falls on a cell that another feature already holds (a code cut at p takes "
       "cell round(p / 50), one cell before a point feature at the same position).",
       "Move the code cut by 50 m or more.",
       CodeExample{.train = {"abbattimento codice, 2000, 1", "abbattimento codice, 2000, 1"}}},
      {Code::station_position, "A station's position is not a multiple of 50 m.",
       "Round the position to a multiple of 50.", CodeExample{.train = {station(3025, 200, "B")}}},
      {Code::station_length, "A station's length is not a multiple of 100 m.",
       "Round the length to a multiple of 100.", CodeExample{.train = {station(3000, 250, "B")}}},
      {Code::stop_too_near,
       "A station's stop cell (just before the far end of its zone) falls at cell 1 or before: "
       "the station lies at the very start of the line.",
       "Move the station further along, or make it a type that reaches further.",
       CodeExample{.train = {station(0, 200, "A")}}},
      {Code::station_spacing,
       "A station's zone starts less than 350 m after the end of the previous station's zone "
       "(or before it: stations must stand in rising order).",
       "Move the stations apart, shorten them, or put them in order along the line.",
       CodeExample{.train = {station(1000, 200, "A"), station(1500, 200, "B")}}},
      {Code::too_many_stations,
       "The table has 78 entries for stations and sign texts together: the stations fill it from "
       "entry 1 up, the signs from entry 80 down.",
       "Use fewer stations or fewer sign texts.",
       CodeExample{.line = signboards(80), .train = {station(1000, 200, "A")}}},
      {Code::km_point, "A kilometre point's start or end is not a multiple of 50 m.",
       "Round the first two values of each \"progressiva chilometrica\" record to multiples of "
       "50.",
       CodeExample{
           .general = {"lunghezza percorso, 20000", "progressiva chilometrica uno, 0, 75, 0"}}},
      {Code::failure,
       "The compiler could not read a value: not a whole number (a decimal point, a letter), a "
       "number too large for its field, a record cut short that takes its values from the next "
       "line, a section header that holds a record keyword, or a source that could not be read. "
       "It also ends a compile that never met \"lunghezza percorso\". The reading of both "
       "sources stops there.",
       "The diagnostic names the record and the field; scenario_tool explain KEYWORD lists the "
       "fields of a record with the values each takes.",
       CodeExample{.line = {"pendenza, 10.5, 1"}}},
      {Code::signal_taken,
       "A signal falls on a cell another feature holds (a signal at p takes cell "
       "round(p / 50 + 1)), or lies before 325 m, where its approach cells would fall before the "
       "track.",
       "Move the signal or the other feature by 50 m or more.",
       CodeExample{.train = {signal_at(1000), signal_at(1000)}}},
      {Code::warning_taken,
       "A slowdown's warning cell, 1200 m before its start, holds another feature.",
       "Move the slowdown or the feature on its warning cell.",
       CodeExample{.train = {signal_at(3800), kSlowdown}}},
      {Code::start_taken, "A slowdown's start cell holds another feature.",
       "Move the slowdown or the feature at its start.",
       CodeExample{.train = {signal_at(5000), kSlowdown}}},
      {Code::end_taken, "A slowdown's end cell holds another feature.",
       "Change the slowdown's length, or move the feature at its end.",
       CodeExample{.train = {signal_at(5150), kSlowdown}}},
      {Code::announce_taken,
       "One of the four announce cells just before a slowdown's warning cell holds another "
       "feature (the slowdown's start, end and warning cells stay written).",
       "Move the slowdown or the feature, or give the slowdown f_ta 0.",
       CodeExample{.train = {signal_at(3700), kSlowdown}}},
      {Code::board_taken, "A speed board falls on a cell another feature holds.",
       "Move the board or the other feature by 50 m or more.",
       CodeExample{.line = {kBoard, kBoard}}},
      {Code::no_room_before_signal,
       "The finishing pass puts a code marker just before every signal in the 20 cells before a "
       "slowdown's warning; here the two cells before one such signal are taken.",
       "Move the signal or the features just before it by a cell or two.",
       CodeExample{.train = {signal_at(3450), signal_at(3500), signal_at(3550), kSlowdown}}},
      {Code::no_room_in_band,
       "The finishing pass puts a code marker 5 to 7, 11 to 13 and 18 to 20 cells before a "
       "slowdown's start; here all three cells of one band are taken.",
       "Move the features out of the band, or the slowdown.",
       CodeExample{.line = {"indicatori_vmax, 10250, 100, 100, 100, 0, 0, 0, 0, 0",
                            "indicatori_vmax, 10200, 100, 100, 100, 0, 0, 0, 0, 0",
                            "indicatori_vmax, 10150, 100, 100, 100, 0, 0, 0, 0, 0"},
                   .train = {"rallentamento, 10500, 30, 150, 1, 1, 0"}}},
      {Code::no_room_inside_or_after,
       "Below 110 km/h a slowdown gets a code marker every 8 cells inside it, and the first "
       "signal within 12 cells after its end one just before it; here no cell was free.",
       "Move the features next to the marker's place, or the signal after the slowdown.",
       CodeExample{.line = {"indicatori_vmax, 5200, 100, 100, 100, 0, 0, 0, 0, 0"},
                   .train = {signal_at(5250), kSlowdown}}},
      {Code::header_slot_taken,
       "Track cell 1 (50 m) carries the track file's header, and table entry 85 the table's: a "
       "feature placed in cell 1 (a board or sign at 0 m, say) takes it. The compile ends "
       "before writing anything (the generator shows \" Errore n. 1250\").",
       "Move the feature off the first 75 m of the line.",
       CodeExample{.line = {"indicatori_vmax, 0, 120, 0, 0, 0, 120, 0, 0, 0"}}},
      {Code::code_slot_taken,
       "The second value of track cell 1, or entry 85's time, which hold the competition codes, "
       "is already taken. The compile ends before writing anything.",
       "Move the feature off the first 75 m of the line.",
       CodeExample{.line = {"indicatori_vmax, 0, 0, 100, 0, 0, 0, 0, 0, 0"}}},
  };
}

}  // namespace

const std::vector<CodeExplanation>& code_explanations() {
  static const std::vector<CodeExplanation> explanations = make_explanations();
  return explanations;
}

const CodeExplanation* find_code_explanation(Code code) {
  for (const CodeExplanation& e : code_explanations()) {
    if (e.code == code) return &e;
  }
  return nullptr;
}

}  // namespace scenario::tool
