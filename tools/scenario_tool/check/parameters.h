// The figures the engineering checks take from the user, with their defaults.
#pragma once

namespace scenario::tool {

struct CheckParameters {
  double cant_mm = 160.0;             // h, the cant of a curve
  double cant_deficiency_mm = 100.0;  // I, the cant deficiency allowed
  double max_gradient_per_mille = 35.0;
  double accel_m_s2 = 0.4;
  double decel_m_s2 = 0.6;
  // Seconds at each stop between the first timed station and the last. 0 by default: a table's
  // time is a stop's departure, but the built-in timetable leaves no room for a minute's stop in
  // every section, so check times the running alone unless asked.
  double dwell_s = 0.0;
};

}  // namespace scenario::tool
