// For every code a compile can record: the usual causes, how to fix them, and an example that
// raises it in the example scenario.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/codes.h"

namespace scenario::tool {

// Records put into the example scenario (example_scenario.h) to raise a code.
struct CodeExample {
  std::vector<std::string> general = {};  // replaces the general records when not empty
  std::vector<std::string> line = {};     // records of the line source
  std::vector<std::string> train = {};    // records of the train source
  bool no_line_source = false;
  bool no_general_header = false;
};

struct CodeExplanation {
  Code code;
  std::string_view causes;
  std::string_view fix;
  CodeExample example;
};

// One for every code of all_codes(), in the same order.
const std::vector<CodeExplanation>& code_explanations();
const CodeExplanation* find_code_explanation(Code code);

}  // namespace scenario::tool
