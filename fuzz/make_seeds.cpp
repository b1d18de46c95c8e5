// Makes the seed inputs of the two corpora, or checks that the ones in the repository are still
// what it makes. Usage: make_seeds write|check CORPUS_ROOT (the folder holding compile/ and
// decode/). Seeds are the files named seed_*; the fuzzers' findings, kept beside them as
// regression cases, are left alone.
// Every compile seed states the code its compile must end with, so that a seed which no longer
// reaches the case it was made for is noticed instead of silently testing something else.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "compile_input.h"
#include "compiler/compile_sources.h"
#include "run/builtin_scenario.h"

namespace scenario::fuzz {

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

struct Seed {
  std::string name;
  std::string bytes;
};

// ---- Text sources ----

std::string crlf(const Lines& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

// The line with `old` replaced by `now`; the line must be there, so that a seed cannot quietly
// stop being the case it was made for.
Lines replaced(Lines lines, const std::string& old, const std::string& now) {
  const auto it = std::find(lines.begin(), lines.end(), old);
  if (it == lines.end()) throw std::logic_error("no line \"" + old + "\" to replace");
  *it = now;
  return lines;
}

Lines removed(const Lines& lines, const std::string& old) { return replaced(lines, old, ""); }

Lines inserted_before(Lines lines, const std::string& before, const Lines& more) {
  const auto it = std::find(lines.begin(), lines.end(), before);
  if (it == lines.end()) throw std::logic_error("no line \"" + before + "\" to insert before");
  lines.insert(it, more.begin(), more.end());
  return lines;
}

// A small scenario with one record of every kind, that compiles without a code.
const Lines kLine{
    "Percorso di prova",
    "inizio_dati",
    "[generale]",
    "lunghezza percorso, 5000",
    "progressiva chilometrica uno, 0, 0, 0",
    "progressiva chilometrica due, 0, 0, 0",
    "progressiva chilometrica tre, 0, 0, 0",
    "sfondo uno, 1",
    "sfondo due, 0",
    "sfondo tre, 0",
    "ripetizione segnali 4 codici, 1000, 4000",
    "[pendenze]",
    "pendenza, 500, 3",
    "pendenza, 1500, -2",
    "[curve]",
    "curvas2, 700, 100",
    "- commento",
    "curvad4, 1200, 200",
    "[cartelli]",
    "indicatori_vmax, 800, 105, 115, 120, 0, 0, 0, 0, 0",
    "[montagne]",
    "montagna, 2000, 2300, 11",
    "[indicazioni]",
    "cartello indicatore, 2600, (Km 2.6)",
    "[fine]",
};

const Lines kTrain{
    "Treno di prova",
    "inizio_dati",
    "[generale]",
    "numero vetture, 6",
    "percentuale massa frenata, 120",
    "sabbia, 0",
    "orologio, 19, 4, 30",
    "[aderenze]",
    "aderenza, 0, 100",
    "[vel_limite]",
    "velocita' limite, 0, 30",
    "velocita' limite, 500, 115",
    "[stazioni]",
    "stazione, 0, 8, 400, 1, 0, 0, 4, 0, 0, 2, 1, 0, 1, 19, 5, 0, PRIMA",
    "stazione, 4000, 2, 600, 1, 0, 1, 4, 1, 0, 2, 1, 1, 40, 19, 11, 0, SECONDA",
    "[rallentamenti]",
    "rallentamento, 2500, 30, 150, 1, 1, 0",
    "[segnali]",
    "segnale, 1000, 1, 3, 4, 0, 0, 0, 0, 0, 0, 0",
    "segnale, 3000, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0",
    "[codici]",
    "abbattimento codice, 3500, 0",
    "[fine]",
    "",
};

// A line of 1.5 km with a record of most kinds: the fuzzer's quickest whole compile, since
// every compile also builds the 7 km that follow the route.
const Lines kShortLine{
    "Linea corta",
    "inizio_dati",
    "[generale]",
    "lunghezza percorso, 1500",
    "progressiva chilometrica uno, 0, 0, 0",
    "progressiva chilometrica due, 0, 0, 0",
    "progressiva chilometrica tre, 0, 0, 0",
    "sfondo uno, 1",
    "sfondo due, 0",
    "sfondo tre, 0",
    "ripetizione segnali 4 codici, 300, 1200",
    "[pendenze]",
    "pendenza, 200, 4",
    "pendenza, 900, -3",
    "[curve]",
    "curvad3, 250, 150",
    "curvas5, 700, 120",
    "[cartelli]",
    "indicatori_vmax, 450, 60, 80, 90, 0, 0, 0, 0, 0",
    "[montagne]",
    "montagna, 1000, 1100, 11",
    "[indicazioni]",
    "cartello indicatore, 1150, (Km 1.1)",
    "[fine]",
};

// Its train: two stations, a slowdown, a signal and a code cut.
const Lines kShortTrain{
    "Treno corto",
    "inizio_dati",
    "[generale]",
    "numero vetture, 3",
    "percentuale massa frenata, 110",
    "sabbia, 1",
    "orologio, 7, 30, 0",
    "[aderenze]",
    "aderenza, 0, 90",
    "[vel_limite]",
    "velocita' limite, 0, 30",
    "velocita' limite, 300, 90",
    "[stazioni]",
    "stazione, 0, 8, 300, 1, 0, 0, 4, 0, 0, 2, 1, 0, 1, 7, 30, 0, PARTENZA",
    "stazione, 1300, 2, 200, 1, 0, 1, 4, 1, 0, 2, 1, 1, 40, 7, 32, 0, ARRIVO",
    "[rallentamenti]",
    "rallentamento, 800, 30, 100, 1, 1, 0",
    "[segnali]",
    "segnale, 400, 1, 3, 4, 0, 0, 0, 0, 0, 0, 0",
    "[codici]",
    "abbattimento codice, 1050, 0",
    "[fine]",
    "",
};

struct CompileCase {
  std::string name;
  Lines line;
  std::optional<Lines> train;  // none: no NUL byte, so no train source
  std::int32_t code;           // the code the compile must end with
};

Lines many_stations() {
  Lines more;
  for (int k = 1; k <= 85; ++k) {
    more.push_back("stazione, " + std::to_string(4000 + 1000 * k) +
                   ", 28, 300, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, S" + std::to_string(k));
  }
  return more;
}

Lines long_route(const Lines& line) {
  return replaced(line, "lunghezza percorso, 5000", "lunghezza percorso, 100000");
}

std::vector<CompileCase> line_cases() {
  const Lines& L = kLine;
  return {
      {"minimal", L, kTrain, 0},
      {"short_line", kShortLine, kShortTrain, 0},
      {"short_line_signal_taken", kShortLine,
       inserted_before(kShortTrain, "[codici]", {"segnale, 410, 1, 3, 4, 0, 0, 0, 0, 0, 0, 0"}),
       16},
      {"no_generale", removed(L, "[generale]"), kTrain, 102},
      {"empty_line_source", {}, kTrain, 102},
      {"no_train_source", L, std::nullopt, 25},
      {"bad_number", replaced(L, "lunghezza percorso, 5000", "lunghezza percorso, 5x00"), kTrain,
       25},
      {"route_longest", replaced(L, "lunghezza percorso, 5000", "lunghezza percorso, 1000000"),
       kTrain, 0},
      {"route_too_long", replaced(L, "lunghezza percorso, 5000", "lunghezza percorso, 1000001"),
       kTrain, 1},
      {"route_huge", replaced(L, "lunghezza percorso, 5000", "lunghezza percorso, 99999999999"),
       kTrain, 25},
      {"route_negative", replaced(L, "lunghezza percorso, 5000", "lunghezza percorso, -7000"),
       kTrain, 25},
      {"curve_no_class", replaced(L, "curvas2, 700, 100", "curvas, 700, 100"), kTrain, 103},
      {"curve_past_geometry",
       replaced(replaced(L, "lunghezza percorso, 5000", "lunghezza percorso, 1000000"),
                "curvas2, 700, 100", "curvas2, 700, 1000000"),
       kTrain, 103},
      {"curve_past_line_end", replaced(L, "curvas2, 700, 100", "curvas2, 700, 20000"), kTrain, 25},
      {"gradient_beyond_track", replaced(L, "pendenza, 1500, -2", "pendenza, 15000, -2"), kTrain,
       15},
      {"gradient_too_steep", replaced(L, "pendenza, 500, 3", "pendenza, 500, 300"), kTrain, 25},
      {"repeat_start",
       replaced(L, "ripetizione segnali 4 codici, 1000, 4000",
                "ripetizione segnali 4 codici, 1001, 4000"),
       kTrain, 3},
      {"repeat_end",
       replaced(L, "ripetizione segnali 4 codici, 1000, 4000",
                "ripetizione segnali 4 codici, 1000, 4001"),
       kTrain, 4},
      {"repeat_codes",
       replaced(L, "ripetizione segnali 4 codici, 1000, 4000",
                "ripetizione segnali codici, 1000, 4000"),
       kTrain, 5},
      {"km_point",
       replaced(L, "progressiva chilometrica due, 0, 0, 0",
                "progressiva chilometrica due, 10, 20, 1"),
       kTrain, 2},
      {"km_points_tied",
       replaced(replaced(replaced(L, "progressiva chilometrica uno, 0, 0, 0",
                                  "progressiva chilometrica uno, 100, 200, 0"),
                         "progressiva chilometrica due, 0, 0, 0",
                         "progressiva chilometrica due, 100, 300, 0"),
                "progressiva chilometrica tre, 0, 0, 0",
                "progressiva chilometrica tre, 100, 400, 1"),
       kTrain, 0},
      {"km_point_end_overflow",
       replaced(L, "progressiva chilometrica uno, 0, 0, 0",
                "progressiva chilometrica uno, 50, 2147483600, 1"),
       kTrain, 25},
      {"sign_taken",
       replaced(L, "cartello indicatore, 2600, (Km 2.6)", "cartello indicatore, 800, (Km 0.8)"),
       kTrain, 6},
      {"sign_text_too_long",
       replaced(L, "cartello indicatore, 2600, (Km 2.6)",
                "cartello indicatore, 2600, " + std::string(70000, 'K')),
       kTrain, 25},
      {"board_taken",
       inserted_before(L, "[montagne]", {"indicatori_vmax, 800, 1, 1, 1, 0, 0, 0, 0, 0"}), kTrain,
       21},
      {"header_1250",
       inserted_before(L, "[montagne]", {"indicatori_vmax, 0, 5, 0, 0, 0, 0, 0, 0, 0"}), kTrain,
       1250},
      {"header_1251",
       inserted_before(L, "[montagne]", {"indicatori_vmax, 0, 0, 5, 0, 0, 0, 0, 0, 0"}), kTrain,
       1251},
      {"tunnel_beyond_track", replaced(L, "montagna, 2000, 2300, 11", "montagna, 2000, 90000, 1"),
       kTrain, 25},
  };
}

Lines train(const std::string& old, const std::string& now) { return replaced(kTrain, old, now); }

std::string signal_at(int p) {
  return "segnale, " + std::to_string(p) + ", 2, 4, 0, 0, 0, 2, 1, 0, 0, 0";
}

std::vector<CompileCase> train_cases() {
  const std::string first = "segnale, 1000, 1, 3, 4, 0, 0, 0, 0, 0, 0, 0";
  const std::string second =
      "stazione, 4000, 2, 600, 1, 0, 1, 4, 1, 0, 2, 1, 1, 40, 19, 11, 0, SECONDA";
  const std::string slow = "rallentamento, 2500, 30, 150, 1, 1, 0";
  const std::string cut = "abbattimento codice, 3500, 0";
  return {
      {"signal_taken", kLine, inserted_before(kTrain, "[codici]", {first}), 16},
      {"signal_too_early", kLine, train(first, "segnale, 300, 1, 3, 4, 0, 0, 0, 0, 0, 0, 0"), 16},
      {"station_position", kLine, train(second, "stazione, 4010" + second.substr(14)), 8},
      {"station_length", kLine, train(second, "stazione, 4000, 2, 650" + second.substr(22)), 9},
      {"station_spacing", kLine, train(second, "stazione, 600" + second.substr(14)), 22},
      {"station_too_near", kLine,
       train("stazione, 0, 8, 400, 1, 0, 0, 4, 0, 0, 2, 1, 0, 1, 19, 5, 0, PRIMA",
             "stazione, 0, 1, 100, 1, 0, 0, 4, 0, 0, 2, 1, 0, 1, 19, 5, 0, PRIMA"),
       24},
      {"station_beyond_track", kLine, train(second, "stazione, 11500" + second.substr(14)), 15},
      {"too_many_stations", long_route(kLine),
       inserted_before(kTrain, "[rallentamenti]", many_stations()), 10},
      {"station_name_cut", kLine, train(second, second.substr(0, 40)), 25},
      {"speed_too_high", kLine, train("velocita' limite, 500, 115", "velocita' limite, 500, 2000"),
       25},
      {"slowdown_start_taken", kLine, train(slow, "rallentamento, 2600, 30, 150, 1, 1, 0"), 18},
      {"slowdown_end_taken", kLine, train(slow, "rallentamento, 2500, 30, 1750, 1, 1, 0"), 19},
      {"slowdown_warning_taken", kLine, train(slow, "rallentamento, 3800, 30, 150, 1, 1, 0"), 17},
      {"slowdown_beyond_track", kLine, train(slow, "rallentamento, 2500, 30, 90000, 1, 1, 0"), 25},
      {"slowdown_announce_taken", kLine, train(slow, "rallentamento, 3950, 30, 150, 1, 1, 0"), 20},
      {"finishing_11", kLine, inserted_before(kTrain, "[codici]", {signal_at(900), signal_at(950)}),
       11},
      {"finishing_12", kLine,
       inserted_before(kTrain, "[codici]", {signal_at(2150), signal_at(2200), signal_at(2250)}),
       12},
      {"finishing_13", kLine,
       train(cut, "abbattimento codice, 2950, 0\r\nabbattimento codice, 3000, 0"), 13},
      {"finishing_lowers_a_cut", kLine,
       inserted_before(train(cut, "abbattimento codice, 950, 200"), "[codici]", {signal_at(950)}),
       0},
      {"finishing_inside_moved", kLine,
       inserted_before(train(slow, "rallentamento, 2500, 30, 1000, 1, 1, 0"), "[codici]",
                       {signal_at(2850), signal_at(2900)}),
       0},
      {"finishing_inside_13", kLine,
       inserted_before(train(slow, "rallentamento, 2500, 30, 1000, 1, 1, 0"), "[codici]",
                       {signal_at(2850), signal_at(2900), signal_at(2950)}),
       13},
      {"slowdown_fast", kLine, train(slow, "rallentamento, 2500, 120, 150, 1, 1, 0"), 0},
      {"station_kind_5", kLine, train(second, "stazione, 4000, 5" + second.substr(17)), 0},
      {"station_kind_6", kLine, train(second, "stazione, 4000, 6" + second.substr(17)), 0},
      {"station_kind_7", kLine, train(second, "stazione, 4000, 7" + second.substr(17)), 0},
      {"cut_taken", kLine, train(cut, "abbattimento codice, 3050, 0"), 7},
      {"cut_value", kLine, train(cut, "abbattimento codice, 3500, 40000"), 25},
      {"clock_short", kLine, train("orologio, 19, 4, 30", "orologio, 19, 4, 40000"), 25},
      {"train_no_generale", kLine, removed(kTrain, "[generale]"), 0},
      {"train_nul_bytes", kLine, inserted_before(kTrain, "[fine]", {std::string("\0\0x", 3)}), 0},
  };
}

// ---- Compiling a seed ----

// The compile of a seed; its code is the recorded one, which is the header conflict when there is
// one.
CompileResult compile_seed(const std::string& input) {
  const CompileInput parts = split_compile_input(input);
  ScenarioSources sources{SourceText::of(parts.line_source), {}};
  if (parts.train_source) sources.train = SourceText::of(*parts.train_source);
  return compile_sources({{builtin_route_id, builtin_train_number}, std::move(sources), {}});
}

std::string input_of(const CompileCase& c) {
  if (!c.train) return crlf(c.line);
  return join_compile_input(crlf(c.line), crlf(*c.train));
}

std::vector<Seed> compile_seeds() {
  std::vector<CompileCase> cases = line_cases();
  for (CompileCase& c : train_cases()) cases.push_back(std::move(c));
  std::vector<Seed> seeds{{"seed_builtin", builtin_compile_input()}};
  // Line ends of every kind.
  std::string lf = input_of(cases.front());
  lf.erase(std::remove(lf.begin(), lf.end(), '\r'), lf.end());
  seeds.push_back({"seed_minimal_lf", lf});
  for (const CompileCase& c : cases) {
    const std::string input = input_of(c);
    const std::int32_t code = number(compile_seed(input).code.code);
    if (code != c.code) {
      throw std::logic_error("seed " + c.name + " ends with code " + std::to_string(code) +
                             ", not " + std::to_string(c.code));
    }
    seeds.push_back({"seed_" + c.name, input});
  }
  return seeds;
}

// ---- Decode seeds ----

struct Compiled {
  std::string track;
  std::string table;
  std::string line;
};

Compiled compiled_builtin() {
  const CompileResult result = compile_seed(builtin_compile_input());
  if (result.code.code != Code::none) {
    throw std::logic_error("the built-in scenario does not compile cleanly");
  }
  CompiledFileBytes files = result.file_bytes();
  return {std::move(files.track), std::move(files.table), std::move(*files.line)};
}

std::size_t value_size(unsigned char tag) { return 2 + (tag == 2 ? 2 : tag == 5 ? 8 : 0); }

// Where each value of a line file starts, and its end as the last entry.
std::vector<std::size_t> value_offsets(const std::string& line_file) {
  std::vector<std::size_t> offsets;
  for (std::size_t p = 0; p < line_file.size();
       p += value_size(static_cast<unsigned char>(line_file[p]))) {
    offsets.push_back(p);
  }
  offsets.push_back(line_file.size());
  return offsets;
}

// The first rows of a line file, both coordinates: the whole built-in one is megabytes.
std::string line_head(const std::string& line_file, std::size_t rows) {
  const std::vector<std::size_t> at = value_offsets(line_file);
  const std::size_t per_coord = (at.size() - 1) / 2;
  return line_file.substr(0, at[rows]) +
         line_file.substr(at[per_coord], at[per_coord + rows] - at[per_coord]);
}

std::string le32(std::size_t v) {
  std::string out;
  for (int k = 0; k < 4; ++k) out += static_cast<char>((v >> (8 * k)) & 0xFF);
  return out;
}

std::string selected(char mode, const std::string& bytes) { return std::string(1, mode) + bytes; }

std::string all_three(const std::string& track, const std::string& table, const std::string& line) {
  return selected('\3', le32(track.size()) + le32(table.size()) + track + table + line);
}

std::string with_u16(std::string bytes, std::size_t at, std::uint16_t v) {
  bytes[at] = static_cast<char>(v & 0xFF);
  bytes[at + 1] = static_cast<char>(v >> 8);
  return bytes;
}

std::vector<Seed> decode_seeds() {
  const Compiled c = compiled_builtin();
  const std::string line = line_head(c.line, 64);
  // Entry 0's name length sits after kind, three 32-bit values and tps.
  const std::size_t name_length_at = 14;
  return {
      {"seed_track_builtin", selected('\0', c.track)},
      {"seed_table_builtin", selected('\1', c.table)},
      {"seed_line_builtin_head", selected('\2', line)},
      {"seed_all_builtin", all_three(c.track, c.table, line)},
      {"seed_all_mismatched", all_three(c.track.substr(0, 15 * 40), c.table, line)},
      {"seed_track_empty", selected('\0', "")},
      {"seed_track_cut", selected('\0', c.track.substr(0, 15 * 3 + 7))},
      {"seed_table_empty", selected('\1', "")},
      {"seed_table_cut", selected('\1', c.table.substr(0, c.table.size() / 2))},
      {"seed_table_extra", selected('\1', c.table + "xyz")},
      {"seed_table_name_past_end", selected('\1', with_u16(c.table, name_length_at, 0xFFFF))},
      {"seed_table_cp1252_name",
       selected('\1', with_u16(c.table, name_length_at, 5)
                          .insert(1 + name_length_at + 2, "\x81\x8D\xE8\x80\x9D"))},
      {"seed_line_empty", selected('\2', "")},
      {"seed_line_bad_tag", selected('\2', with_u16(line, 0, 7))},
      {"seed_line_wide_tag", selected('\2', with_u16(line, 0, 0x0102))},
      {"seed_line_odd", selected('\2', line.substr(0, 4))},
      {"seed_line_cut_payload", selected('\2', line.substr(0, line.size() - 3))},
  };
}

// ---- Writing and checking ----

std::string read_file(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_seeds(const fs::path& folder, const std::vector<Seed>& seeds) {
  fs::create_directories(folder);
  for (const Seed& s : seeds) {
    std::ofstream out(folder / s.name, std::ios::binary);
    out << s.bytes;
    if (!out.flush()) throw std::runtime_error("cannot write " + (folder / s.name).string());
  }
}

// Counts the differences: missing or changed seeds, and seed files that no seed makes any more.
int check_seeds(const fs::path& folder, const std::vector<Seed>& seeds) {
  int problems = 0;
  std::set<std::string> names;
  for (const Seed& s : seeds) {
    names.insert(s.name);
    const fs::path p = folder / s.name;
    if (!fs::exists(p) || read_file(p) != s.bytes) {
      std::fprintf(stderr, "make_seeds: %s is missing or out of date\n", p.string().c_str());
      ++problems;
    }
  }
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.starts_with("seed_") && !names.contains(name)) {
      std::fprintf(stderr, "make_seeds: %s is no longer made\n", entry.path().string().c_str());
      ++problems;
    }
  }
  return problems;
}

}  // namespace

}  // namespace scenario::fuzz

int main(int argc, char** argv) {
  using namespace scenario::fuzz;
  const std::string verb = argc == 3 ? argv[1] : "";
  if (verb != "write" && verb != "check") {
    std::fprintf(stderr, "usage: %s write|check CORPUS_ROOT\n", argv[0]);
    return 2;
  }
  const fs::path root = argv[2];
  try {
    const auto compile = compile_seeds();
    const auto decode = decode_seeds();
    if (verb == "write") {
      write_seeds(root / "compile", compile);
      write_seeds(root / "decode", decode);
      std::printf("wrote %zu compile seeds and %zu decode seeds\n", compile.size(), decode.size());
      return 0;
    }
    const int problems =
        check_seeds(root / "compile", compile) + check_seeds(root / "decode", decode);
    std::printf("checked %zu compile seeds and %zu decode seeds: %d out of date\n", compile.size(),
                decode.size(), problems);
    return problems == 0 ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_seeds: %s\n", e.what());
    return 1;
  }
}
