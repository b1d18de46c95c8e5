#include "scenario_tool/verbs/source_diagnostics.h"

#include <future>

#include "scenario_tool/compile/error_search.h"
#include "scenario_tool/compile/source_check.h"
#include "scenario_tool/compile/verdict.h"
#include "scenario_tool/verbs/compile_check.h"

namespace scenario::tool {

namespace {

int error_count(const std::vector<Diagnostic>& diagnostics) {
  int errors = 0;
  for (const Diagnostic& d : diagnostics) errors += d.is_error ? 1 : 0;
  return errors;
}

}  // namespace

SourceDiagnostics source_diagnostics(const SourceTexts& texts, const DiagnosticSettings& settings) {
  const std::string& line_text = texts.line_text;
  const std::string& train_text = texts.train_text;
  // The check reads only the two texts: it runs beside the compile, on a core of its own.
  std::future<SourceCheck> check_done =
      std::async(std::launch::async, [&] { return check_sources(line_text, train_text); });
  CompileListener listener;
  SourceDiagnostics out{compile_sources({texts.ids,
                                         {SourceText::of(line_text), SourceText::of(train_text)},
                                         {.build_line = settings.build_line}},
                                        listener),
                        {},
                        0,
                        {}};
  const SourceCheck check = check_done.get();
  out.diagnostics = merge_diagnostics(listener, check, settings.silenced);
  add_further_errors(out.diagnostics,
                     {texts.ids, line_text, train_text, settings.build_line, settings.silenced},
                     listener);
  out.stopped =
      reading_stopped(listener, out.diagnostics, check, texts.line_source, texts.train_source);
  out.check_from = out.diagnostics.size();
  if (settings.check) {
    const bool whole = error_count(out.diagnostics) == 0;
    for (Diagnostic& d : compile_check(out.result, whole, check, {}, settings.silenced)) {
      out.diagnostics.push_back(std::move(d));
    }
  }
  return out;
}

}  // namespace scenario::tool
