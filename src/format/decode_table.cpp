#include <cstdint>
#include <optional>
#include <string>

#include "format/byte_reader.h"
#include "format/decode.h"
#include "format/windows1252.h"

namespace scenario {

namespace {

// Reads the fields of one entry in file order and keeps the first place where the file falls
// short; later reads then do nothing.
class EntryReader {
 public:
  EntryReader(ByteReader& in, int entry) : in_(in), entry_(entry), start_(in.offset()) {}

  template <typename T>
  void field(T& target, const char* name) {
    if (error_) return;
    const auto v = in_.integer<T>();
    if (!v) {
      fail(in_.offset(), "is cut short: the file ends inside its field `" + std::string(name) +
                             "` (" + std::to_string(sizeof(T)) + " bytes, " +
                             std::to_string(in_.remaining()) + " left)");
      return;
    }
    target = *v;
  }

  void name(std::string& target) {
    std::uint16_t length = 0;
    field(length, "name length");
    if (error_) return;
    const std::size_t at = in_.offset();
    const auto bytes = in_.take(length);
    if (!bytes) {
      fail(at, "has a name of " + std::to_string(length) +
                   " bytes that runs past the end of the file (" + std::to_string(in_.remaining()) +
                   " bytes left)");
      return;
    }
    target = from_windows1252(*bytes);
  }

  const std::optional<DecodeError>& error() const { return error_; }

 private:
  void fail(std::size_t at, const std::string& what) {
    error_ = DecodeError{at, "entry " + std::to_string(entry_) + " (from byte " +
                                 std::to_string(start_) + ") " + what};
  }

  ByteReader& in_;
  int entry_;
  std::size_t start_;
  std::optional<DecodeError> error_;
};

std::optional<DecodeError> read_entry(ByteReader& in, int entry, SimRecord& r) {
  EntryReader e(in, entry);
  e.field(r.kind, "kind");
  e.field(r.start_m, "start_m");
  e.field(r.end_m, "end_m");
  e.field(r.pos_m, "pos_m");
  e.field(r.tps, "tps");
  e.name(r.name);
  e.field(r.d2a, "d2a");
  e.field(r.d3a, "d3a");
  e.field(r.d1b, "d1b");
  e.field(r.d2b, "d2b");
  e.field(r.d3b, "d3b");
  e.field(r.rap, "rap");
  e.field(r.ac, "ac");
  e.field(r.mar, "mar");
  e.field(r.tab, "tab");
  e.field(r.time_s, "time_s");
  return e.error();
}

const std::string kCount = std::to_string(sim_table_size);

}  // namespace

Decoded<SimTable> decode_table_file(std::string_view bytes) {
  if (bytes.empty()) {
    return DecodeError{0, "empty table file: a table holds exactly " + kCount + " entries"};
  }
  SimTable table;
  ByteReader in(bytes);
  for (int entry = 0; entry < sim_table_size; ++entry) {
    if (in.at_end()) {
      return DecodeError{in.offset(), "the file ends after " + std::to_string(entry) +
                                          " entries: a table holds exactly " + kCount};
    }
    if (auto error = read_entry(in, entry, table[static_cast<std::size_t>(entry)])) {
      return *error;
    }
  }
  if (!in.at_end()) {
    return DecodeError{in.offset(), std::to_string(in.remaining()) + " bytes follow entry " +
                                        std::to_string(sim_table_size - 1) +
                                        ": a table holds exactly " + kCount + " entries"};
  }
  return table;
}

}  // namespace scenario
