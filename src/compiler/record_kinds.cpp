#include "compiler/record_kinds.h"

#include <algorithm>
#include <array>
#include <limits>

namespace scenario {

namespace {

using V = ValueType;
using R = ValueRange;

constexpr std::int64_t kMaxWhole = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kMinWhole = std::numeric_limits<std::int32_t>::min();

// A point on the line, in metres from its start.
constexpr FieldSpec along(std::string_view name, std::string_view meaning,
                          std::string_view goes_to) {
  return FieldSpec{name, V::whole, "m", std::nullopt, R{0, 1000000}, 0, meaning, goes_to};
}

// A position along the line: every positioned record takes one.
constexpr FieldSpec position(std::string_view name, std::string_view goes_to) {
  return along(name, "position from the start of the line", goes_to);
}

// One digit of a signal's or a board's value, stored as it is read.
constexpr FieldSpec digit(std::string_view name, std::string_view meaning,
                          std::string_view goes_to) {
  return FieldSpec{name, V::whole, "", std::nullopt, R{0, 9}, 0, meaning, goes_to};
}

// A board's speed for one category of train.
constexpr FieldSpec board_speed(std::string_view name, std::int64_t step, std::string_view meaning,
                                std::string_view goes_to) {
  return FieldSpec{name, V::whole, "km/h", std::nullopt, R{0, 400}, step, meaning, goes_to};
}

// A value of a station's table entry, carried unchanged.
constexpr FieldSpec station_value(std::string_view name, ValueType type, std::string_view meaning,
                                  std::string_view goes_to) {
  return FieldSpec{name, type, "", std::nullopt, std::nullopt, 0, meaning, goes_to};
}

// ---- The general section of the line source ----

constexpr std::array kLengthFields{
    FieldSpec{"length", V::whole, "m", R{-6974, 1000000}, R{1000, 1000000}, 0,
              "the route length; above 1000000 the compile stops with code 1",
              "table entry 84 end_m; the track runs to length + 7000 m (cells 0 to "
              "round((length + 7000) / 50)), the line file has one row per metre up to the same "
              "end"},
};
constexpr std::array kKmPointFields{
    FieldSpec{"start", V::whole, "m", std::nullopt, std::nullopt, 0,
              "a multiple of 50, or the compile records code 2", "start_m of the entry"},
    FieldSpec{"end", V::whole, "m", std::nullopt, std::nullopt, 0,
              "a multiple of 50, or the compile records code 2",
              "end_m of the entry (100 m more when pos is 1)"},
    FieldSpec{"pos", V::whole, "", std::nullopt, std::nullopt, 0, "1 lengthens the end by 100 m",
              "pos_m of the entry"},
};
constexpr std::array kBackgroundFields{
    FieldSpec{"background", V::whole, "", std::nullopt, R{0, 255}, 0,
              "a scenery background selector, carried unchanged", "table entry 85"},
};
constexpr std::array kRepetitionFields{
    along("start", "where code repetition begins; a multiple of 50, or code 3",
          "table entry 86 start_m"),
    along("end", "where it ends; a multiple of 50, or code 4; 0 turns repetition off",
          "table entry 86 end_m (and pos_m 0 when the end is 0)"),
};

constexpr std::array kLengthCodes{Code::route_too_long};
constexpr std::array kKmPointCodes{Code::km_point};
constexpr std::array kRepetitionCodes{Code::repeat_start, Code::repeat_end, Code::repeat_codes};
constexpr std::array<Code, 0> kNoCodes{};

// ---- The records of the line source ----

constexpr std::array kGradientFields{
    position("position", "the gradient byte of every cell from round(position / 50) on"),
    FieldSpec{"gradient", V::whole, "per mille", R{-100, 155}, R{-60, 60}, 0,
              "rising positive, falling negative; -100 is stored as the byte 0, which means "
              "'never written'",
              "gradient + 100 in each cell of the stretch, up to the next record"},
};
constexpr std::array kCurveFields{
    position("start", "the line file: straight rows up to the start, then curved ones"),
    FieldSpec{"length", V::whole, "m", std::nullopt, R{1, 100000}, 0, "the length of the curve",
              "curved rows of the line file from start to start + "
              "length"},
};
constexpr std::array kTunnelFields{
    position("inizio", "tunnel_type of cells round(inizio / 50) to round(fine / 50 - 1)"),
    FieldSpec{"fine", V::whole, "m", std::nullopt, R{0, 1000000}, 0,
              "where the tunnel ends; before inizio, nothing is stored",
              "the last cell of the "
              "stretch"},
    FieldSpec{"tipo", V::whole, "", std::nullopt, R{1, 13}, 0,
              "the tunnel type; 10 more asks for a tunnel marker in every 4th free cell; a tunnel "
              "starting at most 150 m after the previous one ends gets type 3",
              "tunnel_type of every cell of the stretch (low 8 bits)"},
};
constexpr std::array kBoardFields{
    position("posizione", "a speed_board cell at round(posizione / 50 + 1)"),
    board_speed("vas", 0, "left-hand speed of category a (in steps of 5)",
                "value1 = round(vad / 5 + vas x 20)"),
    board_speed("vbs", 0, "left-hand speed of category b (in steps of 5)",
                "value2 = round(vbd / 5 + vbs x 20)"),
    board_speed("vcs", 0, "left-hand speed of category c (in steps of 5)",
                "value3 = round(vcd / 5 + vcs x 20)"),
    digit("strisces", "left-hand stripes", "value4 = strisces x 10 + strisced"),
    board_speed("vad", 5, "right-hand speed of category a", "value1"),
    board_speed("vbd", 5, "right-hand speed of category b", "value2"),
    board_speed("vcd", 5, "right-hand speed of category c", "value3"),
    digit("strisced", "right-hand stripes", "value4"),
};
constexpr std::array kSignFields{
    position("position", "a signboard cell at round(position / 50 + 1)"),
    FieldSpec{"text", V::text, "", std::nullopt, std::nullopt, 0,
              "the inscription, to the next comma or the end of the line",
              "the name of the next free sign entry of the table, from 80 down"},
};

constexpr std::array kCurveCodes{Code::bad_curve, Code::beyond_track};
constexpr std::array kPointCodes{Code::beyond_track};
constexpr std::array kBoardCodes{Code::beyond_track, Code::board_taken};
constexpr std::array kSignCodes{Code::beyond_track, Code::sign_taken};

// ---- The records of the train source ----

constexpr std::array kBrakedMassFields{
    FieldSpec{"percentage", V::whole, "%", std::nullopt, R{1, 250}, 0,
              "braked-mass percentage of the train", "table entry 84 start_m"},
};
constexpr std::array kCoachFields{
    FieldSpec{"count", V::whole, "", std::nullopt, R{1, 40}, 0, "number of coaches",
              "table entry 84 pos_m"},
};
constexpr std::array kSpeedFields{
    position("position", "the speed byte of every cell from round(position / 50) on"),
    FieldSpec{"speed", V::whole, "km/h", R{-2, 1277}, R{5, 400}, 5,
              "the line speed limit from the position on; rounded to the nearest 5",
              "round(speed / 5) in each cell of the stretch, up to the next record"},
};
constexpr std::array kAdhesionFields{
    position("position", "the adhesion byte of every cell from round(position / 50) on"),
    FieldSpec{"adhesion", V::whole, "", std::nullopt, R{0, 100}, 0,
              "100 where the rail is good, lower where it is poor",
              "the low 8 bits in each cell of the stretch, up to the next record"},
};
constexpr std::array kClockFields{
    FieldSpec{"hours", V::short_number, "h", std::nullopt, R{0, 23}, 0,
              "the clock when the run starts: hours", "table entry 86 d1b"},
    FieldSpec{"minutes", V::short_number, "min", std::nullopt, R{0, 59}, 0, "minutes",
              "table entry 86 d2b"},
    FieldSpec{"seconds", V::short_number, "s", std::nullopt, R{0, 59}, 0, "seconds",
              "table entry 86 d3b"},
};
constexpr std::array kSandFields{
    FieldSpec{"sand", V::short_number, "", std::nullopt, R{0, 1}, 0,
              "1 when the locomotive carries sand, 0 when it does not", "table entry 86 d2a"},
};
constexpr std::array kSignalFields{
    position("posizione",
             "a signal cell at round(posizione / 50 + 1), and approach codes in "
             "the cells 2, 4, 6 and 8 before it"),
    FieldSpec{"sx", V::whole, "", std::nullopt, R{0, 2}, 0,
              "the left-hand signal's kind: 0 none, 1, or 2 (with 2 the time counts)",
              "value4 = rapp x 10 + sx x 3 + dx; approach codes (sx x 3 + dx) x 10 + 1 to 4"},
    digit("s1", "left-hand aspect value 1", "value1 = s1 x 10 + d1"),
    digit("s2", "left-hand aspect value 2", "value2 = s2 x 10 + d2"),
    digit("s3", "left-hand aspect value 3", "value3 = s3 x 10 + d3"),
    digit("rapp", "the left-hand further value", "value4"),
    FieldSpec{"dx", V::whole, "", std::nullopt, R{0, 2}, 0, "the right-hand signal's kind",
              "value4"},
    digit("d1", "right-hand aspect value 1", "value1"),
    digit("d2", "right-hand aspect value 2", "value2"),
    digit("d3", "right-hand aspect value 3", "value3"),
    FieldSpec{"tempo", V::whole, "s", std::nullopt, R{0, 255}, 0,
              "a time that counts only when sx is 2; 1 to 100 become 101",
              "signal_time (low 8 bits), 0 unless sx is 2"},
};
constexpr std::array kSlowdownFields{
    position("x",
             "slowdown_start at round(x / 50 + 1); a slowdown_warning 1200 m before it and "
             "four slowdown_announce cells before that, when x is above 1500"),
    FieldSpec{"v", V::whole, "km/h", std::nullopt, R{5, 400}, 0, "the speed over the slowdown",
              "value1 of the start, end and warning cells"},
    FieldSpec{"l", V::whole, "m", std::nullopt, R{50, 100000}, 0, "the length of the slowdown",
              "slowdown_end at round((x + l) / 50 + 1)"},
    FieldSpec{"f_tt", V::whole, "", std::nullopt, R{0, 1}, 0,
              "1: to be respected with the whole train", "value3 of the start and end cells"},
    FieldSpec{"f_ta", V::whole, "", std::nullopt, R{0, 1}, 0,
              "1: the four announce cells before the warning", "slowdown_announce cells 1 to 4"},
    FieldSpec{"d_v", V::whole, "", std::nullopt, std::nullopt, 0,
              "when not 0, stored with the slowdown's cells",
              "value2 of every cell of the slowdown (the announce cells get their order)"},
};
constexpr std::array kCodeCutFields{
    position("position",
             "a code_cut cell at round(position / 50), one cell before a point "
             "feature at the same position"),
    FieldSpec{"code", V::whole, "", R{kMinWhole, 32767}, R{0, 32767}, 0,
              "the code value; below 1 the cell is a code_cut_zero", "value1 of the code_cut cell"},
};
constexpr std::array kStationFields{
    along("pos", "position of the station; a multiple of 50, or code 8",
          "pos_m of the station's table entry"),
    FieldSpec{"tipo", V::byte, "", std::nullopt, R{1, 30}, 0,
              "station type: 5 and 6 reach from pos - length to pos + 150, 7 and 8 from "
              "pos - length to pos + length, the others are centred on pos; 25 and above have no "
              "stop cell",
              "kind of the entry; the zone start_m and end_m"},
    FieldSpec{"lung", V::whole, "m", std::nullopt, R{100, 5000}, 0,
              "length of the station; a multiple of 100, or code 9", "the zone"},
    station_value("tps", V::byte, "station value tps", "tps of the entry"),
    station_value(
        "tab", V::byte,
        "station value tab; cleared when the length is below 600 and at the first station",
        "tab of the entry"),
    FieldSpec{"mar", V::byte, "", std::nullopt, std::nullopt, 0,
              "station value mar; when set, a centred station reaches 50 m further at its far "
              "end; cleared for types 5 to 8 and at the first station",
              "mar of the entry"},
    station_value("d2a", V::short_number, "station value d2 of the first group",
                  "d2a of the entry"),
    station_value("d3a", V::short_number, "station value d3 of the first group",
                  "d3a of the entry"),
    station_value("rap", V::byte, "station value rap", "rap of the entry"),
    station_value("d1b", V::short_number, "station value d1 of the second group",
                  "d1b of the entry"),
    station_value("d2b", V::short_number, "station value d2 of the second group",
                  "d2b of the entry"),
    station_value("d3b", V::short_number, "station value d3 of the second group",
                  "d3b of the entry"),
    station_value("ac", V::byte, "station value ac", "ac of the entry"),
    FieldSpec{"oro", V::whole, "h", std::nullopt, R{0, 23}, 0,
              "timetable time: hours (departure, or arrival at the last station; 0 0 0 where "
              "the train does not stop)",
              "time_s = oro x 3600 + orm x 60 + ors"},
    FieldSpec{"orm", V::whole, "min", std::nullopt, R{0, 59}, 0, "minutes", "time_s"},
    FieldSpec{"ors", V::whole, "s", std::nullopt, R{0, 59}, 0, "seconds", "time_s"},
    FieldSpec{"nome", V::text, "", std::nullopt, std::nullopt, 0,
              "the station's name, to the next comma or the end of the line", "name of the entry"},
};

constexpr std::array kSignalCodes{Code::beyond_track, Code::signal_taken};
constexpr std::array kSlowdownCodes{Code::beyond_track, Code::warning_taken, Code::start_taken,
                                    Code::end_taken, Code::announce_taken};
constexpr std::array kCodeCutCodes{Code::beyond_track, Code::cut_taken};
constexpr std::array kStationCodes{Code::beyond_track,    Code::station_position,
                                   Code::station_length,  Code::stop_too_near,
                                   Code::station_spacing, Code::too_many_stations};

constexpr SourceKind kLine = SourceKind::line;
constexpr SourceKind kTrain = SourceKind::train;
constexpr Section kGeneral = Section::general;
constexpr Section kRecords = Section::records;

const std::array<RecordKind, 23> kKinds{{
    // The general section, in the reader's order.
    {"lunghezza percorso", kLine, kGeneral, "lunghezza", "percorso", false, kLengthFields,
     "the route length; it sizes the track and the line, so it comes first", kLengthCodes},
    {"progressiva chilometrica tre", kLine, kGeneral, "tre", "progressiva", true, kKmPointFields,
     "kilometre point three (table entry 81 as read; the three are then ordered)", kKmPointCodes},
    {"progressiva chilometrica due", kLine, kGeneral, "due", "progressiva", true, kKmPointFields,
     "kilometre point two (table entry 82 as read)", kKmPointCodes},
    {"progressiva chilometrica uno", kLine, kGeneral, "uno", "progressiva", true, kKmPointFields,
     "kilometre point one (table entry 83 as read)", kKmPointCodes},
    {"sfondo uno", kLine, kGeneral, "sfondo", "uno", true, kBackgroundFields,
     "scenery background one (table entry 85 start_m)", kNoCodes},
    {"sfondo due", kLine, kGeneral, "sfondo", "due", true, kBackgroundFields,
     "scenery background two (table entry 85 pos_m)", kNoCodes},
    {"sfondo tre", kLine, kGeneral, "sfondo", "tre", true, kBackgroundFields,
     "scenery background three (table entry 85 end_m)", kNoCodes},
    {"ripetizione segnali 4 codici", kLine, kGeneral, "segnali", "ripetizione", true,
     kRepetitionFields,
     "the stretch with signal code repetition; the keyword's digit chooses 4 or 9 codes",
     kRepetitionCodes},
    // The records of the line source.
    {"pendenza", kLine, kRecords, "pendenza", "", false, kGradientFields,
     "the gradient from the position on, up to the next gradient record", kPointCodes},
    {"curva", kLine, kRecords, "curva", "", false, kCurveFields,
     "a curve; the keyword carries the side, s left or d right, and the class 1 (widest) to 6 "
     "(sharpest), as in curvas2",
     kCurveCodes},
    {"montagna", kLine, kRecords, "montagna", "", false, kTunnelFields,
     "a stretch through a mountain (a tunnel)", kPointCodes},
    {"indicatori_vmax", kLine, kRecords, "indicatori_v", "", false, kBoardFields,
     "a maximum-speed indicator board", kBoardCodes},
    {"cartello indicatore", kLine, kRecords, "cartello", "indicat", false, kSignFields,
     "an indicator sign with its inscription", kSignCodes},
    // The records of the train source.
    {"percentuale massa frenata", kTrain, kRecords, "frenata", "massa", false, kBrakedMassFields,
     "the train's braked-mass percentage", kNoCodes},
    {"numero vetture", kTrain, kRecords, "vetture", "", false, kCoachFields,
     "the number of coaches", kNoCodes},
    {"velocita' limite", kTrain, kRecords, "velocit", "", false, kSpeedFields,
     "the line speed limit from the position on, up to the next speed record", kPointCodes},
    {"aderenza", kTrain, kRecords, "aderenza", "", false, kAdhesionFields,
     "the adhesion from the position on, up to the next adhesion record", kPointCodes},
    {"orologio", kTrain, kRecords, "orologio", "", false, kClockFields,
     "the clock when the run starts; the three numbers may be separated by spaces", kNoCodes},
    {"sabbia", kTrain, kRecords, "sabbia", "", false, kSandFields,
     "whether the locomotive carries sand", kNoCodes},
    {"segnale", kTrain, kRecords, "segnale", "", false, kSignalFields,
     "a signal: its left-hand and right-hand sides", kSignalCodes},
    {"rallentamento", kTrain, kRecords, "rallentamento", "", false, kSlowdownFields,
     "a slowdown: a lower speed over a stretch, announced before it", kSlowdownCodes},
    {"abbattimento codice", kTrain, kRecords, "abbattimento", "", false, kCodeCutFields,
     "a point where the repeated signal code is dropped", kCodeCutCodes},
    {"stazione", kTrain, kRecords, "stazione", "", false, kStationFields,
     "a station with its timetable time", kStationCodes},
}};

// What each value type takes and how the reference names it.
struct TypeFacts {
  ValueType type;
  std::string_view name;
  ValueRange range;
};

constexpr std::array kTypeFacts{
    TypeFacts{V::whole, "whole number", R{kMinWhole, kMaxWhole}},
    TypeFacts{
        V::short_number, "short number",
        R{std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()}},
    TypeFacts{V::byte, "byte", R{0, 255}},
    TypeFacts{V::text, "text", R{kMinWhole, kMaxWhole}},
};

const TypeFacts& type_facts(ValueType type) {
  return *std::find_if(kTypeFacts.begin(), kTypeFacts.end(),
                       [type](const TypeFacts& f) { return f.type == type; });
}

constexpr std::size_t kGeneralCount = 8;
constexpr std::size_t kLineCount = 5;

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool contains(std::string_view field, std::string_view word) {
  return word.empty() || field.find(word) != std::string_view::npos;
}

}  // namespace

ValueRange type_range(ValueType type) { return type_facts(type).range; }

std::string_view type_name(ValueType type) { return type_facts(type).name; }

std::span<const RecordKind> record_kinds() { return kKinds; }

std::span<const RecordKind> general_records() {
  return std::span<const RecordKind>(kKinds).first(kGeneralCount);
}

std::span<const RecordKind> line_records() {
  return std::span<const RecordKind>(kKinds).subspan(kGeneralCount, kLineCount);
}

std::span<const RecordKind> train_records() {
  return std::span<const RecordKind>(kKinds).subspan(kGeneralCount + kLineCount);
}

const RecordKind* find_record_kind(std::string_view name) {
  for (const RecordKind& kind : kKinds) {
    if (kind.name == name) return &kind;
  }
  return nullptr;
}

KeywordField::KeywordField(std::string_view field) : text(field), lowered(field) {
  std::transform(lowered.begin(), lowered.end(), lowered.begin(), lower);
}

bool keyword_matches(const RecordKind& kind, const KeywordField& field) {
  // The words are written in lower case: a field matches any case by its lowered form.
  const std::string_view f = kind.exact_case ? field.text : std::string_view(field.lowered);
  return contains(f, kind.first) && contains(f, kind.second);
}

bool keyword_matches(const RecordKind& kind, std::string_view field) {
  return keyword_matches(kind, KeywordField(field));
}

}  // namespace scenario
