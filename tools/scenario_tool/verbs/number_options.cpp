#include "scenario_tool/verbs/number_options.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace scenario::tool {

namespace {

// Why the text is no number of the range, or empty when it is one.
std::string refusal(const std::string& text, NumberRange range) {
  const char* begin = text.c_str();
  char* end = nullptr;
  const double value = std::strtod(begin, &end);
  if (text.empty() || end != begin + text.size() || !std::isfinite(value)) {
    return text + " is not a finite number";
  }
  if (range == NumberRange::above_zero && !(value > 0)) return text + " must be above 0";
  if (range == NumberRange::zero_or_more && !(value >= 0)) return text + " must be 0 or more";
  return {};
}

}  // namespace

CLI::Validator finite_number(NumberRange range) {
  return CLI::Validator([range](std::string& text) { return refusal(text, range); },
                        range == NumberRange::above_zero ? "NUMBER > 0" : "NUMBER >= 0");
}

void add_rate_options(CLI::App& cmd, double& accel_m_s2, double& decel_m_s2,
                      const std::string& what) {
  const CLI::Validator above_zero = finite_number(NumberRange::above_zero);
  add_number_option(cmd, "--accel", accel_m_s2, "Acceleration of " + what + ", m/s2", above_zero);
  add_number_option(cmd, "--decel", decel_m_s2, "Braking of " + what + ", m/s2", above_zero);
}

}  // namespace scenario::tool
