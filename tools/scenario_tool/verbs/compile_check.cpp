#include "scenario_tool/verbs/compile_check.h"

#include <algorithm>

#include "format/decode.h"
#include "scenario_tool/compile/record_checks.h"
#include "scenario_tool/scenario/position_text.h"
#include "scenario_tool/verbs/finding_lines.h"

namespace scenario::tool {

namespace {

// The compiled files as `check` reads them, straight from the bytes the compile would write.
LoadedScenario decoded(const CompileResult& result) {
  LoadedScenario s;
  const CompiledFileBytes bytes = result.file_bytes();
  // Moved, not copied: a long line's geometry is tens of megabytes.
  if (auto track = decode_track_file(bytes.track); track.ok()) s.track = std::move(track).value();
  if (auto table = decode_table_file(bytes.table); table.ok()) s.table = std::move(table).value();
  if (bytes.line) {
    if (auto line = decode_line_file(*bytes.line); line.ok()) s.line = std::move(line).value();
  }
  return s;
}

}  // namespace

Diagnostic finding_diagnostic(const CheckFinding& f, const std::vector<CheckedRecord>& records) {
  Diagnostic d;
  d.is_error = f.severity == Severity::error;
  d.id = f.check;
  d.message = f.position_m ? "at " + km_position(*f.position_m) + ": " + f.message : f.message;
  if (f.position_m) d.pos = static_cast<std::int32_t>(*f.position_m);
  if (const auto line = finding_line(f, records)) {
    d.source = line->first;
    d.line = line->second;
  } else {
    d.source = f.file == FileRole::table ? SourceKind::train : SourceKind::none;
  }
  return d;
}

bool is_check_id(const std::string& id) {
  for (const char* known : all_check_ids()) {
    if (id == known) return true;
  }
  for (const char* known :
       {record_check_id::overlap, record_check_id::clock_late, record_check_id::section_long,
        record_check_id::slowdown_above_limit, record_check_id::train_empty}) {
    if (id == known) return true;
  }
  return false;
}

std::vector<Diagnostic> compile_check(const CompileResult& result, bool model_whole,
                                      const SourceCheck& sources, const CheckParameters& p,
                                      const std::set<std::string>& silenced) {
  std::vector<Diagnostic> out = check_records(sources.records);
  if (result.has_files && model_whole) {
    const LoadedScenario model = decoded(result);
    for (const CheckFinding& f : run_checks(model, p).findings) {
      out.push_back(finding_diagnostic(f, sources.records));
    }
  }
  std::erase_if(out, [&](const Diagnostic& d) { return silenced.contains(d.id); });
  std::stable_sort(out.begin(), out.end(), [](const Diagnostic& a, const Diagnostic& b) {
    const auto key = [](const Diagnostic& d) {
      return std::pair{static_cast<int>(d.source == SourceKind::none ? 3 : int(d.source)),
                       d.line == 0 ? 1 << 30 : d.line};
    };
    return key(a) < key(b);
  });
  return out;
}

}  // namespace scenario::tool
