#include "scenario_tool/watch/run_header.h"

#include <cstdio>

namespace scenario::tool {

namespace {

std::tm local_time(std::time_t when) {
  std::tm parts{};
#ifdef _WIN32
  localtime_s(&parts, &when);
#else
  localtime_r(&when, &parts);
#endif
  return parts;
}

}  // namespace

std::string run_header(int run, const std::vector<std::string>& saved, std::time_t when) {
  const std::tm t = local_time(when);
  char clock[16];
  std::snprintf(clock, sizeof clock, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
  std::string cause;
  for (const std::string& name : saved) cause += (cause.empty() ? "" : ", ") + name;
  cause = cause.empty() ? "start" : cause + " saved";
  return "--- " + std::string(clock) + " compile " + std::to_string(run) + ": " + cause;
}

}  // namespace scenario::tool
