// `explain`: what a code, a record keyword or a warning means, in the words of the format
// reference.
#include <CLI/CLI.hpp>
#include <charconv>

#include "scenario_tool/documents/explanation.h"
#include "scenario_tool/explain/check_pages.h"
#include "scenario_tool/explain/reference.h"
#include "scenario_tool/scenario/reporter.h"
#include "scenario_tool/verbs/verb_table.h"
#include "scenario_tool/verbs/verbs.h"

namespace scenario::tool {

namespace {

std::optional<Code> code_of(const std::string& topic) {
  int n = 0;
  const auto [end, ec] = std::from_chars(topic.data(), topic.data() + topic.size(), n);
  if (ec != std::errc() || end != topic.data() + topic.size()) return std::nullopt;
  for (const CodeInfo& info : all_codes()) {
    if (number(info.code) == n) return info.code;
  }
  return static_cast<Code>(n);
}

bool is_known(Code code) {
  for (const CodeInfo& info : all_codes()) {
    if (info.code == code) return true;
  }
  return false;
}

}  // namespace

void add_explain_options(CLI::App& cmd, ExplainOptions& o) {
  cmd.add_option("TOPIC", o.topic,
                 "A code (16), a keyword (segnale), a warning id (rounded) or documents");
  cmd.add_flag("--codes", o.codes, "List every code");
  cmd.add_flag("--keywords", o.keywords, "List every record keyword");
  cmd.add_flag("--warnings", o.warnings, "List every warning");
  cmd.footer(exit_statuses({"0   explained", "64  the topic is no code, keyword or warning"}));
}

int run_explain(const ExplainOptions& options, FileSystem&, std::ostream& out, std::ostream& err) {
  const bool lists = options.codes || options.keywords || options.warnings;
  if (!options.topic) {
    const bool all = !lists;
    if (all || options.codes) out << "Codes (scenario_tool explain CODE):\n" << code_list();
    if (all || options.keywords) {
      out << (all ? "\n" : "") << "Record keywords (scenario_tool explain KEYWORD):\n"
          << record_list();
    }
    if (all || options.warnings) {
      out << (all ? "\n" : "") << "Warnings of compile (scenario_tool explain ID):\n"
          << warning_list();
    }
    return exit_code::clean;
  }
  const std::string& topic = *options.topic;
  if (const auto code = code_of(topic)) {
    if (!is_known(*code)) {
      report_error(err, "no code " + topic + " (scenario_tool explain --codes lists them)");
      return exit_code::usage;
    }
    out << code_text(*code);
    return exit_code::clean;
  }
  if (topic == "documents") {
    out << documents_explanation();
    return exit_code::clean;
  }
  if (const WarningInfo* w = find_warning(topic)) {
    out << warning_text(*w);
    return exit_code::clean;
  }
  if (const CheckPage* page = find_check_page(topic)) {
    out << check_page_text(*page);
    return exit_code::clean;
  }
  const auto kinds = records_named(topic);
  if (kinds.empty()) {
    report_error(err, "\"" + topic +
                          "\" is no code, record keyword or warning (scenario_tool explain lists "
                          "them)");
    return exit_code::usage;
  }
  for (std::size_t i = 0; i < kinds.size(); ++i) {
    out << (i > 0 ? "\n" : "") << record_text(*kinds[i]);
  }
  return exit_code::clean;
}

}  // namespace scenario::tool
