#include "format/line_blocks.h"

#include <algorithm>
#include <bit>

#include "format/little_endian.h"

namespace scenario {

namespace {

// Enough for the walk to fill one block while the writer writes another.
constexpr int blocks_in_flight = 3;

// The caller is gone: the walk ends where it is.
struct Stopped {};

}  // namespace

LineBlocks::LineBlocks(const LineCourse& course, std::int64_t rows_per_block) : course_(course) {
  // Rows 2 to filled_to() are walked; no block is larger than they need.
  const std::int64_t rows = std::max<std::int64_t>(course.filled_to() - 1, 1);
  rows_per_block_ = std::clamp<std::int64_t>(rows_per_block, 1, rows);
  const std::int64_t blocks = (rows + rows_per_block_ - 1) / rows_per_block_;
  pool_.resize(static_cast<std::size_t>(std::min<std::int64_t>(blocks, blocks_in_flight)));
  const auto bytes = static_cast<std::size_t>(rows_per_block_) * 10;
  for (LineBlock& b : pool_) {
    // Not cleared: the walk writes every byte before the block is read.
    b.x = std::make_unique_for_overwrite<char[]>(bytes);
    b.y = std::make_unique_for_overwrite<char[]>(bytes);
    free_.push_back(&b);
  }
  // A course of one block has nothing to overlap: next() walks it on the caller's thread.
  if (blocks > 1) walker_ = std::thread([this] { walk(); });
}

LineBlocks::~LineBlocks() {
  if (!walker_.joinable()) return;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  walker_.join();
}

LineBlock* LineBlocks::take_free() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return stopping_ || !free_.empty(); });
  if (stopping_) throw Stopped{};
  LineBlock* b = free_.back();
  free_.pop_back();
  return b;
}

void LineBlocks::publish(LineBlock* block) {
  {
    std::lock_guard lock(mutex_);
    filled_.push_back(block);
  }
  changed_.notify_all();
}

void LineBlocks::walk() {
  const auto real = static_cast<std::uint16_t>(LineValue::Tag::real);
  try {
    LineBlock* block = take_free();
    block->rows = 0;
    course_.walk([&](std::int64_t row, double x, double y) {
      if (block->rows == rows_per_block_) {
        publish(block);
        block = take_free();
        block->rows = 0;
      }
      if (block->rows == 0) block->first = row;
      const auto at = static_cast<std::size_t>(block->rows) * 10;
      store_le(store_le(block->x.get() + at, real), std::bit_cast<std::uint64_t>(x));
      store_le(store_le(block->y.get() + at, real), std::bit_cast<std::uint64_t>(y));
      ++block->rows;
    });
    if (block->rows > 0) publish(block);
  } catch (const Stopped&) {
    return;
  } catch (...) {
    std::lock_guard lock(mutex_);
    failure_ = std::current_exception();
  }
  {
    std::lock_guard lock(mutex_);
    walked_ = true;
  }
  changed_.notify_all();
}

const LineBlock* LineBlocks::next() {
  if (!walker_.joinable() && !walked_) walk();
  std::unique_lock lock(mutex_);
  if (lent_) {
    free_.push_back(lent_);
    lent_ = nullptr;
    changed_.notify_all();
  }
  changed_.wait(lock, [this] { return !filled_.empty() || walked_; });
  if (filled_.empty()) {
    if (failure_) std::rethrow_exception(failure_);
    return nullptr;
  }
  lent_ = filled_.front();
  filled_.pop_front();
  return lent_;
}

}  // namespace scenario
