// Runs the tasks of a batch on a few threads.
#pragma once

#include <cstddef>
#include <functional>

namespace scenario::tool {

// Runs task(0) to task(count - 1), each once, on at most `workers` threads, and calls
// done(index) after each, one call at a time. When a task throws (an interrupt), no further task
// starts; those under way finish, and the first exception is thrown again once all have ended.
void run_in_parallel(std::size_t count, unsigned workers,
                     const std::function<void(std::size_t)>& task,
                     const std::function<void(std::size_t)>& done);

}  // namespace scenario::tool
