// Whether standard error is a terminal (a console on Windows), for output meant only for a person
// watching: a progress line that rewrites itself would litter a file or a pipe.
#pragma once

namespace scenario {

bool standard_error_is_terminal();

}  // namespace scenario
