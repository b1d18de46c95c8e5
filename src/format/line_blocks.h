// The walked rows of a line, as the two halves of its file want them, computed on a thread of
// their own a few blocks ahead of the writer. Each row hangs on the two before it, so the walk
// cannot go faster than one row after another; what it can do is run while the blocks before are
// on their way to the disk.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include "format/line_course.h"

namespace scenario {

// The values of rows first..first+rows-1 (from row 2 on), coordinate 0 and coordinate 1 apart,
// each a tag and its 8 bytes.
struct LineBlock {
  std::int64_t first = 0;
  std::int64_t rows = 0;
  std::unique_ptr<char[]> x;
  std::unique_ptr<char[]> y;

  std::string_view x_bytes() const { return {x.get(), static_cast<std::size_t>(rows) * 10}; }
  std::string_view y_bytes() const { return {y.get(), static_cast<std::size_t>(rows) * 10}; }
};

class LineBlocks {
 public:
  // The course must outlive this. Blocks hold `rows_per_block` rows (or all the rows of a shorter
  // course), the last one fewer; a course of more than one block is walked on a second thread.
  LineBlocks(const LineCourse& course, std::int64_t rows_per_block);
  // Stops the walk where it is.
  ~LineBlocks();
  LineBlocks(const LineBlocks&) = delete;
  LineBlocks& operator=(const LineBlocks&) = delete;

  // The next block in order, or nullptr after the last; it stays valid until the next call.
  const LineBlock* next();

 private:
  void walk();
  LineBlock* take_free();
  void publish(LineBlock* block);

  const LineCourse& course_;
  std::int64_t rows_per_block_ = 1;
  std::vector<LineBlock> pool_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<LineBlock*> free_;
  std::deque<LineBlock*> filled_;
  LineBlock* lent_ = nullptr;
  bool walked_ = false;
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::thread walker_;
};

}  // namespace scenario
