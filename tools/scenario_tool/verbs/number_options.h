// The one check of every numeric option: a finite number, above 0 or at least 0 as the option
// needs. CLI11 runs it on the text before converting it, so "nan", "inf", "-1" and, where it makes
// no sense, "0" are refused as wrong usage before a verb starts.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace scenario::tool {

enum class NumberRange { above_zero, zero_or_more };

CLI::Validator finite_number(NumberRange range);

// An option of a number whose default the help shows, refused unless `valid` passes.
template <typename T>
CLI::Option* add_number_option(CLI::App& cmd, const std::string& name, T& value,
                               const std::string& description, const CLI::Validator& valid) {
  return cmd.add_option(name, value, description)->capture_default_str()->check(valid);
}

// --accel and --decel, the rates `what` is worked out with ("the estimate", ...).
void add_rate_options(CLI::App& cmd, double& accel_m_s2, double& decel_m_s2,
                      const std::string& what);

}  // namespace scenario::tool
