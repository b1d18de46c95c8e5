#include "scenario_tool/batch/parallel.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace scenario::tool {

void run_in_parallel(std::size_t count, unsigned workers,
                     const std::function<void(std::size_t)>& task,
                     const std::function<void(std::size_t)>& done) {
  std::mutex mutex;
  std::size_t next = 0;
  std::exception_ptr failure;
  auto work = [&] {
    for (;;) {
      std::size_t index = 0;
      {
        const std::lock_guard lock(mutex);
        if (failure || next == count) return;
        index = next++;
      }
      try {
        task(index);
      } catch (...) {
        const std::lock_guard lock(mutex);
        if (!failure) failure = std::current_exception();
        return;
      }
      const std::lock_guard lock(mutex);
      done(index);
    }
  };
  const std::size_t threads = std::clamp<std::size_t>(workers, 1, std::max<std::size_t>(count, 1));
  std::vector<std::thread> pool;
  for (std::size_t i = 1; i < threads; ++i) pool.emplace_back(work);
  work();
  for (std::thread& t : pool) t.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace scenario::tool
