// Drives the whole compile, compile_sources, over a line source and a train source cut from one
// input (the cut rule is in compile_input.h), and checks the model and the files it gives. The
// header conflicts 1250 and 1251 end a compile without files: that is a normal outcome. Anything
// that escapes, or a broken invariant, is a fault.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compile_input.h"
#include "compiler/codes.h"
#include "compiler/compile_sources.h"
#include "format/decode.h"
#include "format/file_writers.h"
#include "format/windows1252.h"
#include "fuzz_check.h"
#include "run/builtin_scenario.h"
#include "scenario_tool/compile/source_check.h"

namespace scenario::fuzz {

namespace {

// A compile of a longer line is run and checked in full but not kept for the fuzzer to mutate
// further: its line file alone is megabytes to write and check, and the fuzzer would spend its
// time on the same linear work instead of on the reading. The seeds' own lines are shorter.
constexpr std::int32_t kLongestBredLine = 12000;
constexpr int kDoNotKeep = -1;

struct Tally {
  long inputs = 0;
  long wrote_files = 0;
  long wrote_with_code = 0;
  long stopped_before_track = 0;
  long header_conflict = 0;
};
Tally tally;

bool is_registered(Code code) {
  for (const CodeInfo& e : all_codes()) {
    if (e.code == code) return true;
  }
  return false;
}

// Keeps the last code recorded, to compare with the one the compile ends with.
class LastCode : public CompileObserver {
 public:
  void on_code(Code code, std::optional<std::int32_t>, SourceKind, int line) override {
    if (!is_registered(code)) {
      invariant_broken("a recorded code is not in the registry", to_string(code));
    }
    require(line >= 0, "a code recorded on a negative line");
    last = code;
  }
  void on_unknown_keyword(SourceKind, int line, const std::string&) override {
    require(line >= 1, "an unknown keyword reported outside the source's lines");
  }
  void on_record(const RecordKind& kind, SourceKind source, int line, int values) override {
    require(source == kind.source, "a record read from the other source");
    require(line >= 1, "a record reported outside the source's lines");
    require(values <= static_cast<int>(kind.fields.size()), "a record read with extra values",
            std::string(kind.name));
  }
  Code last = Code::none;
};

struct Compile {
  LastCode observer;
  bool build_line = true;
  CompileResult result;
  // The files, as the writers give them.
  std::vector<CompiledFile> files;
  CompiledFileBytes bytes;
  const CompiledScenario& model() const { return result.model; }
  Code code() const { return result.code.code; }
};

// Whether a route length in the line source asks for more than `metres` (a plain scan, not the
// reader: it only decides how an input is compiled, never whether it is checked).
bool asks_for_a_route_longer_than(std::string_view source, std::int64_t metres) {
  constexpr std::string_view keyword = "lunghezza percorso";
  for (std::size_t at = source.find(keyword); at != std::string_view::npos;
       at = source.find(keyword, at + 1)) {
    std::size_t i = at + keyword.size();
    while (i < source.size() && (source[i] == ',' || source[i] == ' ' || source[i] == '\t')) ++i;
    std::int64_t value = 0;
    for (; i < source.size() && source[i] >= '0' && source[i] <= '9'; ++i) {
      value = value * 10 + (source[i] - '0');
      if (value > metres) return true;
    }
  }
  return false;
}

// The geometry of a line is the same code at every length, and its cost grows with the length:
// a mutant of a route of hundreds of kilometres (the dictionary's limits end up there often)
// would take the time of a hundred short ones. Those compile without their geometry, as
// `--no-line` does; every other input builds it.
constexpr std::int64_t kLongestGeometry = 20000;

void run(Compile& c, const CompileInput& input) {
  c.build_line = !asks_for_a_route_longer_than(input.line_source, kLongestGeometry);
  ScenarioSources sources{SourceText::of(input.line_source), {}};
  if (input.train_source) sources.train = SourceText::of(*input.train_source);
  c.result = compile_sources(
      {{builtin_route_id, builtin_train_number}, std::move(sources), {.build_line = c.build_line}},
      c.observer);
  c.files = c.result.files();
  c.bytes = compiled_file_bytes(c.files);
}

// The files come in the order the generator writes them, the line file only with the geometry.
void check_file_kinds(const Compile& c) {
  std::vector<CompiledFileKind> expected{CompiledFileKind::table, CompiledFileKind::track};
  if (c.build_line) expected.insert(expected.begin(), CompiledFileKind::line);
  require(c.files.size() == expected.size(), "a finished compile has the wrong number of files",
          std::to_string(c.files.size()));
  for (std::size_t i = 0; i < c.files.size() && i < expected.size(); ++i) {
    require(c.files[i].kind == expected[i], "the compiled files are out of order");
  }
}

void check_track_file(const Compile& c) {
  const std::string* bytes = &c.bytes.track;
  require(bytes->size() == track_record_size * c.model().track.size(),
          "the track file is not 15 bytes a cell", std::to_string(bytes->size()));
  const auto decoded = decode_track_file(*bytes);
  require(decoded.ok(), "the track file written does not decode");
  require(decoded.value() == c.model().track, "the track file does not hold the track");
  require(c.model().track[header_cell].value1 == track_header_value,
          "track cell 1 lacks its header value");
}

// Names go through Windows-1252 on their way to the file; everything else comes back as it was.
bool same_record(const SimRecord& written, const SimRecord& read) {
  SimRecord expected = written;
  expected.name = from_windows1252(to_windows1252(written.name));
  return expected == read;
}

void check_table_file(const Compile& c) {
  const std::string* bytes = &c.bytes.table;
  const auto decoded = decode_table_file(*bytes);
  require(decoded.ok(), "the table file written does not decode",
          decoded.ok() ? std::string() : decoded.error().message);
  for (int i = 0; i < sim_table_size; ++i) {
    const auto k = static_cast<std::size_t>(i);
    if (!same_record(c.model().table[k], decoded.value()[k])) {
      invariant_broken("a table entry does not come back from the file",
                       "entry " + std::to_string(i));
    }
  }
  require(c.model().table[table_entry::route].d2a == table_header_value,
          "table entry 85 lacks its header value");
}

std::uint16_t tag_at(const std::string& bytes, std::uint64_t offset) {
  require(offset + 2 <= bytes.size(), "the line file ends inside a value", std::to_string(offset));
  const auto lo = static_cast<std::uint8_t>(bytes[static_cast<std::size_t>(offset)]);
  const auto hi = static_cast<std::uint8_t>(bytes[static_cast<std::size_t>(offset) + 1]);
  return static_cast<std::uint16_t>(lo | hi << 8);
}

// The line file is checked for its layout, worked out here from the course on its own: its size,
// and in each half the tags where the integer rows, the computed rows and the empty rows begin and
// end. Its values are the writer's, which the unit tests compare with the dense geometry; writing
// them a second time here would double the fuzzer's time on every line for nothing the reading
// code can change.
void check_line_file(const Compile& c) {
  require(c.bytes.line.has_value(), "a finished compile with the line geometry has no line file");
  const std::string* bytes = &*c.bytes.line;
  require(c.model().line.has_value(), "a compile with the line geometry kept none");
  const LineCourse& g = *c.model().line;
  // A second route length that the compiler refused (code 1) is still in the table, while the
  // geometry keeps the first one: only a compile without a code has the two agree.
  const std::int64_t length = c.model().table[table_entry::train].end_m;
  require(c.code() != Code::none || g.last_m() == length + route_extra_metres,
          "the line geometry does not end at the line's end");
  require(g.filled_to() <= g.last_m(), "the line geometry is filled past its end");

  const auto filled_rows = static_cast<std::uint64_t>(std::max<std::int64_t>(g.filled_to() + 1, 0));
  const std::uint64_t integers = std::min<std::uint64_t>(filled_rows, 2);
  const std::uint64_t reals = filled_rows - integers;
  const auto empties = static_cast<std::uint64_t>(g.last_m() + 1) - filled_rows;
  const std::uint64_t half = integers * 4 + reals * 10 + empties * 2;
  require(bytes->size() == 2 * half, "the line file is not the size of its geometry",
          std::to_string(bytes->size()) + " bytes, not " + std::to_string(2 * half));
  const auto tag = [](LineValue::Tag t) { return static_cast<std::uint16_t>(t); };
  for (const std::uint64_t start : {std::uint64_t{0}, half}) {
    if (integers > 0) {
      require(tag_at(*bytes, start) == tag(LineValue::Tag::integer), "row 0 is not an integer");
    }
    const std::uint64_t first_real = start + integers * 4;
    if (reals > 0) {
      require(tag_at(*bytes, first_real) == tag(LineValue::Tag::real), "row 2 is not a real");
      require(tag_at(*bytes, first_real + (reals - 1) * 10) == tag(LineValue::Tag::real),
              "the last filled row is not a real");
    }
    if (empties > 0) {
      const std::uint64_t first_empty = first_real + reals * 10;
      require(tag_at(*bytes, first_empty) == tag(LineValue::Tag::empty),
              "the first row past the filled ones is not empty");
      require(tag_at(*bytes, start + half - 2) == tag(LineValue::Tag::empty),
              "the last row is not empty");
    }
  }
}

void check_written(const Compile& c) {
  check_file_kinds(c);
  check_track_file(c);
  check_table_file(c);
  if (c.build_line) check_line_file(c);
  ++tally.wrote_files;
  if (c.code() != Code::none) ++tally.wrote_with_code;
}

void check_outcome(const Compile& c, bool builtin) {
  const Code code = c.code();
  require(code == c.observer.last, "the compile's code is not the last one recorded");
  if (c.result.header_conflict) {
    require(code == Code::header_slot_taken || code == Code::code_slot_taken,
            "a header conflict with an unexpected code", to_string(code));
    require(c.files.empty(), "a header conflict still has compiled files");
    ++tally.header_conflict;
    return;
  }
  if (c.model().track.size() < 2) {
    require(code != Code::none, "a compile without a track recorded no code");
    require(c.files.empty(), "a compile without a track has compiled files");
    ++tally.stopped_before_track;
    return;
  }
  require(c.result.has_files, "a finished compile has no files");
  check_written(c);
  if (builtin) require(code == Code::none, "the built-in scenario recorded a code");
}

}  // namespace

std::string harness_summary() {
  return std::to_string(tally.inputs) + " compiles: " + std::to_string(tally.wrote_files) +
         " wrote the compiled files (" + std::to_string(tally.wrote_with_code) +
         " of them with a recorded code), " + std::to_string(tally.stopped_before_track) +
         " stopped before a track existed, " + std::to_string(tally.header_conflict) +
         " ended with a header conflict";
}

}  // namespace scenario::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace scenario::fuzz;
  static const std::string builtin = builtin_compile_input();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Compile c;
  const CompileInput input = split_compile_input(bytes);
  run(c, input);
  // The author's tool checks the same sources; whatever they hold, the check must not fail.
  const auto check =
      scenario::tool::check_sources(input.line_source, input.train_source.value_or(""));
  for (const auto& finding : check.findings) {
    require(!finding.warning.empty() && !finding.message.empty(), "a finding without its words");
  }
  check_outcome(c, bytes == builtin);
  ++tally.inputs;
  const auto& line = c.model().line;
  return line && line->last_m() > kLongestBredLine ? kDoNotKeep : 0;
}
