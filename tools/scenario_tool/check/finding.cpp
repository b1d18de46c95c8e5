#include "scenario_tool/check/finding.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>

namespace scenario::tool {

namespace {

// What has no place on the line sorts first.
constexpr std::int64_t placeless = std::numeric_limits<std::int64_t>::min();

constexpr std::array<const char*, 10> kCheckIds{check_id::curve_speed,
                                                check_id::gradient,
                                                check_id::line_form,
                                                check_id::timetable_order,
                                                check_id::timetable_lower_bound,
                                                check_id::timetable_estimate,
                                                check_id::timetable_untimed,
                                                check_id::speed_board,
                                                check_id::stop_cell,
                                                check_id::signboard};

}  // namespace

std::span<const char* const> all_check_ids() { return kCheckIds; }

const char* severity_name(Severity severity) {
  return severity == Severity::error ? "error" : "warning";
}

void sort_findings(std::vector<CheckFinding>& findings) {
  std::stable_sort(findings.begin(), findings.end(),
                   [](const CheckFinding& a, const CheckFinding& b) {
                     return a.position_m.value_or(placeless) < b.position_m.value_or(placeless);
                   });
}

std::string km_text(std::int64_t metres) {
  const std::int64_t m = std::llabs(metres);
  std::string frac = std::to_string(m % 1000);
  frac.insert(0, 3 - frac.size(), '0');
  return (metres < 0 ? "-" : "") + std::to_string(m / 1000) + "." + frac;
}

}  // namespace scenario::tool
