#include "scenario_tool/verbs/verb_table.h"

#include "scenario_tool/verbs/documents.h"
#include "scenario_tool/verbs/lsp.h"
#include "scenario_tool/verbs/verbs.h"
#include "scenario_tool/verbs/watch.h"

namespace scenario::tool {

std::span<const Verb> verb_table() {
  static const Verb table[] = {
      verb_row("template", "Write the built-in line and train sources as a starting point",
               add_template_options, run_template),
      verb_row("new",
               "Write a small commented scenario to start from: ROUTE_linea.txt and "
               "ROUTE_TRAIN-.txt",
               add_new_options, run_new),
      verb_row("explain",
               "Explain a code of compile, a record keyword of the sources, or a warning",
               add_explain_options, run_explain),
      verb_row("compile",
               "Compile a line source and a train source into the three files the simulator "
               "loads",
               add_compile_options, run_compile_command),
      verb_row("watch",
               "Compile a line source and a train source again at every save of either, until "
               "Ctrl-C; with --view, keep the page of view up to date",
               add_watch_options, run_watch),
      verb_row("inspect", "Decode the compiled files of a scenario", add_inspect_options,
               run_inspect),
      verb_row("plot", "Draw the compiled files of a scenario as a plan and a profile (SVG)",
               add_plot_options, run_plot),
      verb_row("check",
               "Check a compiled scenario as a railway engineer would: curve speeds, gradients, "
               "a drivable timetable, boards, stops and signs",
               add_check_options, run_check),
      verb_row("diff",
               "Tell what changed between two compiled scenarios, in the terms of inspect --cells",
               add_diff_options, run_diff),
      verb_row("view", "Show the compiled files of a scenario as one interactive page (HTML)",
               add_view_options, run_view),
      verb_row("decompile",
               "Write the line and train sources that compile back to a scenario's files, byte "
               "for byte",
               add_decompile_options, run_decompile),
      verb_row("documents",
               "Write the driver's papers of a scenario: the timetable sheet, the slowdown order "
               "and the notes",
               add_documents_options, run_documents),
      verb_row("lsp",
               "Serve the two sources to an editor as a language server: diagnostics as you "
               "type, hover, completion, outline and quick fixes",
               add_lsp_options, run_lsp),
  };
  return table;
}

std::string exit_statuses(std::initializer_list<const char*> lines) {
  std::string text = "Exit status:";
  for (const char* line : lines) text += std::string("\n  ") + line;
  return text + "\n";
}

}  // namespace scenario::tool
