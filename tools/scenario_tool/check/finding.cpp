#include "scenario_tool/check/finding.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace scenario::tool {

namespace {

// What has no place on the line sorts first.
constexpr std::int64_t placeless = std::numeric_limits<std::int64_t>::min();

}  // namespace

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
