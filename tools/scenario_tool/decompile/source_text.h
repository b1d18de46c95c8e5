// The two sources of a recovered scenario, laid out as the generator writes its own: the same
// sections in the same order, records in ascending position, aligned columns, CR LF.
#pragma once

#include <string>

#include "scenario_tool/decompile/recovered.h"

namespace scenario::tool {

std::string line_source_text(const RecoveredScenario& s);   // ROUTE_linea.txt
std::string train_source_text(const RecoveredScenario& s);  // ROUTE_TRAIN-.txt

}  // namespace scenario::tool
