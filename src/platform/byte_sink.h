// Where a writer puts a file's bytes, in order and in pieces, so that no file has to be held whole
// in memory.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace scenario {

// A writer puts its bytes either in order (put) or at their offsets in the file (put_at), not both.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual void put(std::string_view bytes) = 0;
  virtual void put_at(std::uint64_t offset, std::string_view bytes) = 0;
};

// Bytes gathered into a string, for the callers that want the whole file.
class StringSink : public ByteSink {
 public:
  explicit StringSink(std::string& out) : out_(out) {}
  void put(std::string_view bytes) override { out_.append(bytes); }
  void put_at(std::uint64_t offset, std::string_view bytes) override {
    const auto end = static_cast<std::size_t>(offset) + bytes.size();
    if (out_.size() < end) out_.resize(end, '\0');
    out_.replace(static_cast<std::size_t>(offset), bytes.size(), bytes);
  }

 private:
  std::string& out_;
};

}  // namespace scenario
