// What `check` finds: plain data, kept apart from its printing, so that other views (markers on
// a drawing) can show the same findings.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "scenario_tool/scenario/scenario_files.h"

namespace scenario::tool {

enum class Severity { warning, error };

// "warning", "error".
const char* severity_name(Severity severity);

// The checks, by the id that findings carry.
namespace check_id {
inline constexpr const char* curve_speed = "curve-speed";
inline constexpr const char* gradient = "gradient";
inline constexpr const char* line_form = "line-form";
inline constexpr const char* timetable_order = "timetable-order";
inline constexpr const char* timetable_lower_bound = "timetable-lower-bound";
inline constexpr const char* timetable_estimate = "timetable-estimate";
inline constexpr const char* timetable_untimed = "timetable-untimed";
inline constexpr const char* speed_board = "speed-board";
inline constexpr const char* stop_cell = "stop-cell";
inline constexpr const char* signboard = "signboard";
}  // namespace check_id

// Every check id, in the order of the checks.
std::span<const char* const> all_check_ids();

struct CheckFinding {
  // Metres from the start of the line; none for what has no place on it (a table entry that no
  // cell refers to).
  std::optional<std::int64_t> position_m;
  Severity severity = Severity::warning;
  std::string check;  // one of check_id
  FileRole file = FileRole::track;
  std::string message;

  bool operator==(const CheckFinding&) const = default;
};

// By position, the placeless first; equal positions keep the order in which they were found.
void sort_findings(std::vector<CheckFinding>& findings);

// "17.800": metres / 1000 with three decimals.
std::string km_text(std::int64_t metres);

}  // namespace scenario::tool
