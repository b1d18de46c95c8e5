#include "scenario_tool/decompile/comparing_sink.h"

#include <algorithm>

namespace scenario::tool {

void ComparingSink::put(std::string_view bytes) {
  put_at(position_, bytes);
  position_ += bytes.size();
}

void ComparingSink::put_at(std::uint64_t offset, std::string_view bytes) {
  size_ = std::max<std::uint64_t>(size_, offset + bytes.size());
  std::optional<std::uint64_t> wrong;
  if (offset < expected_.size()) {
    const std::string_view there = expected_.substr(offset, bytes.size());
    const auto diff = std::mismatch(there.begin(), there.end(), bytes.begin(), bytes.end());
    if (diff.first != there.end() || diff.second != bytes.end()) {
      wrong = offset + static_cast<std::uint64_t>(diff.first - there.begin());
    }
  } else if (!bytes.empty()) {
    wrong = offset;
  }
  if (wrong && (!first_wrong_ || *wrong < *first_wrong_)) first_wrong_ = wrong;
}

}  // namespace scenario::tool
