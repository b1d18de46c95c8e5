// The source reader: reads the line source and then the train source into the compiled model.
#pragma once

#include "compiler/compilation.h"

namespace scenario {

void memorizza_dati(Compilation& c);

}  // namespace scenario
