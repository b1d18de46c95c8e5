// Decoders of the three compiled files back into the model they were written from. They take
// any bytes at all: a damaged file gives an error with the byte offset where the damage was
// found, never a crash nor a read past the end, so that they can face a fuzzer as well as a
// user's files. The result is the compiler's own model, ready for any view of it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "format/model.h"

namespace scenario {

struct DecodeError {
  std::size_t offset = 0;  // byte of the file where the damage was found
  std::string message;

  bool operator==(const DecodeError&) const = default;
};

// Either the decoded value or the reason it could not be decoded.
template <typename T>
class Decoded {
 public:
  Decoded(T value) : result_(std::move(value)) {}            // NOLINT: implicit by design
  Decoded(DecodeError error) : result_(std::move(error)) {}  // NOLINT: implicit by design

  bool ok() const { return std::holds_alternative<T>(result_); }
  // Only when ok().
  const T& value() const& { return std::get<T>(result_); }
  T&& value() && { return std::get<T>(std::move(result_)); }
  // Only when !ok().
  const DecodeError& error() const { return std::get<DecodeError>(result_); }

 private:
  std::variant<T, DecodeError> result_;
};

// One 15-byte record per cell; the cell count comes from the size.
Decoded<std::vector<TrackCell>> decode_track_file(std::string_view bytes);

// Exactly 87 records of variable length; names come back as UTF-8.
Decoded<SimTable> decode_table_file(std::string_view bytes);

// Tagged values, coordinate 0 of every metre, then coordinate 1.
Decoded<LineGeometry> decode_line_file(std::string_view bytes);

}  // namespace scenario
