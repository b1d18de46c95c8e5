// The three papers a driver is handed with a scenario, the timetable sheet, the slowdown order and
// the notes, derived from its compiled files in the layouts of the built-in scenario's papers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "format/model.h"
#include "scenario_tool/check/finding.h"
#include "scenario_tool/scenario/scenario.h"

namespace scenario::tool {

// What the compiled files do not hold, and the figures of the running-time model; the defaults
// are the built-in train's.
struct DocumentOptions {
  std::string classification = "REGIONALE";
  std::int32_t braked_mass_t = 300;
  std::string rank = "B";  // the letter after the highest speed
  std::int32_t dwell_s = 60;
  double accel_m_s2 = 0.4;
  double decel_m_s2 = 0.6;
  std::vector<std::string> free_notes;  // lines added after the derived remarks
};

// A km post (a whole kilometre where no other row is near) and a protection signal are passed
// like a station without a stop.
enum class RowKind { departure, stop, passing, arrival, speed_change, km_post, signal };

// A row of the timetable sheet. Times are seconds from the midnight before the departure, so a
// run past midnight keeps rising; none where the line cannot be driven.
struct SheetRow {
  RowKind kind = RowKind::passing;
  std::int64_t position_m = 0;
  std::string place;
  std::optional<std::int32_t> limit_kmh;  // the new limit from here on
  std::optional<std::int64_t> arrival_s;  // also the passing time
  std::optional<std::int64_t> departure_s;
  // "Vel. Marc.": the highest speed of the running-time model from this row to the next.
  std::optional<std::int32_t> running_kmh;
  // "Rec": the margin the timetable leaves over the model on the section ending here, in half
  // minutes; none below a quarter of a minute.
  std::optional<std::int32_t> recovery_half_min;
};

struct SlowdownRow {
  std::string
      between;  // "Valdora Prasine - Merva", or one station before the first or after the last
  std::int64_t start_m = 0;
  std::int64_t length_m = 0;
  std::int32_t speed_kmh = 0;
  bool whole_train = false;  // f_tt 1: prescription A
};

struct Documents {
  std::string route_id;
  std::string train_number;
  std::string first_station;
  std::string last_station;
  std::int32_t top_speed_kmh = 0;
  std::int32_t braked_mass_percent = 0;
  DocumentOptions options;
  std::vector<SheetRow> rows;
  std::vector<SlowdownRow> slowdowns;
  std::vector<std::string> remarks;  // the notes' remarks, each one sentence
  // What the documents could not tell as the data says, each about a record: a name cut, a row
  // without a time, a stop reached late.
  std::vector<CheckFinding> findings;
};

// The documents of a scenario with its table and track; the reason instead when they cannot be
// made (fewer than two stations).
struct DerivedDocuments {
  std::optional<Documents> documents;
  std::string problem;
};
DerivedDocuments derive_documents(const Scenario& scenario, const std::vector<TrackCell>& track,
                                  const DocumentOptions& options);

// The rows of the sheet: every station in line order, every change of the line speed limit
// between the first and the last, the signal before each stop and the km posts; timed by the
// running-time model of check. What cannot be told goes into `findings`.
std::vector<SheetRow> sheet_rows(const Scenario& scenario, const std::vector<TrackCell>& track,
                                 const DocumentOptions& options,
                                 std::vector<CheckFinding>& findings);

std::vector<SlowdownRow> slowdown_rows(const Scenario& scenario);

std::vector<std::string> note_remarks(const Scenario& scenario);

// The files' lines, without their CR LF.
std::vector<std::string> sheet_lines(const Documents& d);
std::vector<std::string> slowdown_order_lines(const Documents& d);
std::vector<std::string> notes_lines(const Documents& d);

// Lines joined by CR LF, the last one too, as the generator writes its papers.
std::string crlf_text(const std::vector<std::string>& lines);

}  // namespace scenario::tool
