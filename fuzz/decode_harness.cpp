// Drives the decoders behind `scenario_tool inspect` over arbitrary bytes, and the report built
// from whatever they decoded. The first byte of the input chooses the file, by its value modulo
// 4: 0 a track file, 1 a table file, 2 a line file, each made of the rest of the input; 3 all
// three at once, the rest being a 4-byte little-endian length of the track file, one of the table
// file, then the track file, the table file and, to the end, the line file (lengths longer than
// what is left are cut to it).
// A decoder must either decode or report damage at an offset inside the file; what it decodes
// must be within the limits of format/file_limits.h and written back byte for byte; the report must
// be built from it without any exception.
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "format/decode.h"
#include "format/file_limits.h"
#include "format/file_writers.h"
#include "fuzz_check.h"
#include "scenario_tool/inspect/report.h"
#include "scenario_tool/inspect/report_text.h"
#include "scenario_tool/scenario/scenario_load.h"

namespace scenario::fuzz {

namespace {

using tool::FileRole;
using tool::FileState;
using tool::LoadedScenario;

constexpr int kModes = 4;
constexpr int kAllThree = 3;
constexpr std::size_t kLengthBytes = 4;
// The report lists the cells one by one only for a short track: each cell takes the same code,
// and the listing of a long one would take most of the fuzzer's time.
constexpr std::size_t kLongestListedTrack = 256;

struct Tally {
  long inputs = 0;
  std::array<long, 3> decoded{};
  std::array<long, 3> damaged{};
};
Tally tally;

// The five bytes Windows-1252 leaves undefined come back from a name as '?'.
bool undefined_in_windows1252(unsigned char b) {
  return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

bool same_table_bytes(std::string_view input, std::string_view rewritten) {
  if (input.size() != rewritten.size()) return false;
  for (std::size_t i = 0; i < input.size(); ++i) {
    if (input[i] == rewritten[i]) continue;
    if (rewritten[i] != '?' || !undefined_in_windows1252(static_cast<unsigned char>(input[i]))) {
      return false;
    }
  }
  return true;
}

void check_rewritten(const std::vector<TrackCell>& track, std::string_view bytes) {
  require(write_track_file(track) == bytes, "a decoded track file is not written back as it was");
}

void check_rewritten(const SimTable& table, std::string_view bytes) {
  require(same_table_bytes(bytes, write_table_file(table)),
          "a decoded table file is not written back as it was");
}

void check_rewritten(const LineGeometry& line, std::string_view bytes) {
  require(write_line_file(line) == bytes, "a decoded line file is not written back as it was");
}

// Nothing decodes beyond what the compiler can write: the verbs size their work by it.
void check_within_limits(const std::vector<TrackCell>& track) {
  require(track.size() <= static_cast<std::size_t>(max_track_cells),
          "a track file of more cells than the longest route has decoded",
          std::to_string(track.size()));
}

void check_within_limits(const SimTable& /*table*/) {}

void check_within_limits(const LineGeometry& line) {
  require(line.last_m() + 1 <= max_line_rows,
          "a line file of more rows than the longest route has decoded",
          std::to_string(line.last_m() + 1));
}

// Keeps the decoded value in the scenario, or checks that the damage is reported cleanly.
template <typename T>
void keep(Decoded<T>&& decoded, std::string_view bytes, std::optional<T>& target,
          tool::FileOutcome& outcome) {
  const auto k = static_cast<std::size_t>(outcome.role);
  outcome.path = std::string("fuzz.") + tool::role_name(outcome.role);
  outcome.size = bytes.size();
  if (decoded.ok()) {
    check_within_limits(decoded.value());
    check_rewritten(decoded.value(), bytes);
    target = std::move(decoded).value();
    outcome.state = FileState::ok;
    ++tally.decoded[k];
    return;
  }
  const DecodeError& e = decoded.error();
  require(e.offset <= bytes.size(), "damage reported past the end of the file",
          std::to_string(e.offset) + " > " + std::to_string(bytes.size()));
  require(!e.message.empty(), "damage reported without a message");
  outcome.error = e;
  outcome.state = FileState::damaged;
  ++tally.damaged[k];
}

void decode(FileRole role, std::string_view bytes, LoadedScenario& s) {
  tool::FileOutcome& outcome = s.outcomes[static_cast<std::size_t>(role)];
  outcome.role = role;
  switch (role) {
    case FileRole::track:
      keep(decode_track_file(bytes), bytes, s.track, outcome);
      break;
    case FileRole::table:
      keep(decode_table_file(bytes), bytes, s.table, outcome);
      break;
    case FileRole::line:
      keep(decode_line_file(bytes), bytes, s.line, outcome);
      break;
  }
}

// Takes a 4-byte length from the front of `rest` and then that many bytes, or all that is left.
std::string_view take_part(std::string_view& rest) {
  std::size_t length = 0;
  for (std::size_t k = 0; k < kLengthBytes && k < rest.size(); ++k) {
    length |= std::size_t{static_cast<unsigned char>(rest[k])} << (8 * k);
  }
  rest.remove_prefix(std::min(kLengthBytes, rest.size()));
  const std::string_view part = rest.substr(0, std::min(length, rest.size()));
  rest.remove_prefix(part.size());
  return part;
}

void decode_all_three(std::string_view rest, LoadedScenario& s) {
  const std::string_view track = take_part(rest);
  const std::string_view table = take_part(rest);
  decode(FileRole::track, track, s);
  decode(FileRole::table, table, s);
  decode(FileRole::line, rest, s);
}

// The report must tell what became of each file, as the decoders said.
void check_files_part(const tool::Json& report, const LoadedScenario& s) {
  for (FileRole role : tool::all_roles) {
    const tool::FileOutcome& o = s.outcome(role);
    const tool::Json& j = report.at("files").at(tool::role_name(role));
    require(j.at("status") == tool::state_name(o.state), "the report misstates a file's state");
    if (o.error) {
      require(j.at("error").at("offset") == o.error->offset,
              "the report misstates where a file is damaged");
    }
  }
}

// What `inspect` does with the decoded files: the report, as JSON, which must be valid JSON
// whatever the names hold, and as text. Nothing may throw.
void report(const LoadedScenario& s) {
  const bool cells = !s.track || s.track->size() <= kLongestListedTrack;
  const tool::Scenario scenario = tool::decode_scenario(s);
  const tool::InspectReport typed = tool::inspect_report(s, scenario, cells);
  const tool::Json report = tool::report_json(typed);
  check_files_part(report, s);
  const bool valid = tool::Json::accept(report.dump(2));
  require(valid, "the JSON report does not parse back");
  std::ostringstream text;
  tool::write_text_report(typed, text);
}

}  // namespace

std::string harness_summary() {
  std::string out = std::to_string(tally.inputs) + " inputs:";
  for (FileRole role : tool::all_roles) {
    const auto k = static_cast<std::size_t>(role);
    out += std::string(" ") + tool::role_name(role) + " " + std::to_string(tally.decoded[k]) +
           " decoded/" + std::to_string(tally.damaged[k]) + " damaged;";
  }
  out.pop_back();
  return out;
}

}  // namespace scenario::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace scenario::fuzz;
  if (size == 0) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const int mode = data[0] % kModes;
  LoadedScenario s;
  for (FileRole role : scenario::tool::all_roles) {
    s.outcomes[static_cast<std::size_t>(role)].role = role;
  }
  if (mode == kAllThree) {
    decode_all_three(rest, s);
  } else {
    decode(static_cast<FileRole>(mode), rest, s);
  }
  report(s);
  ++tally.inputs;
  return 0;
}
