// The small scenario in which the examples of `explain` are compiled: a 20 km line and a train
// with every general value set, to which an example adds its records.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "scenario_tool/explain/code_explanations.h"

namespace scenario::tool {

struct ExampleSources {
  std::optional<std::string> line;  // none: no line source at all
  std::string train;
  // The line of each source on which the example's first record stands.
  int line_record_line = 0;
  int train_record_line = 0;
};

// The example scenario with the example's records in it, CR LF as the generator writes.
ExampleSources example_sources(const CodeExample& example);

// The example scenario without the record named `left_out` (a record kind's name, or
// "[generale]" for the train source's header).
ExampleSources example_sources_without(const std::string& left_out);

}  // namespace scenario::tool
