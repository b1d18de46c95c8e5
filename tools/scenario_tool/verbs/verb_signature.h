// What every verb's header names: the file system the verb works on, the command line it adds its
// options to, and the two streams it speaks on. Declared only, so that a verb's header pulls in
// neither the platform nor the option parser.
#pragma once

#include <ostream>

namespace scenario {
class FileSystem;
}

namespace CLI {
class App;
}
