// A sink that compares the bytes of a compiled file with the file they should be, as they
// arrive, and keeps none of them: the check of a thousand-kilometre line then costs no copy of
// its 20 MB.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/byte_sink.h"

namespace scenario::tool {

class ComparingSink : public ByteSink {
 public:
  // `expected` must outlive the sink.
  explicit ComparingSink(std::string_view expected) : expected_(expected) {}

  void put(std::string_view bytes) override;
  void put_at(std::uint64_t offset, std::string_view bytes) override;

  // Everything written matches, and reaches exactly as far as the expected bytes.
  bool equal() const { return size_ == expected_.size() && !first_wrong_; }

 private:
  std::string_view expected_;
  std::uint64_t position_ = 0;                // where the next put goes
  std::uint64_t size_ = 0;                    // how far the writes reached
  std::optional<std::uint64_t> first_wrong_;  // the first byte that differs
};

}  // namespace scenario::tool
