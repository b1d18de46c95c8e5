#include "format/file_writers.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "format/constants.h"
#include "format/line_blocks.h"
#include "format/line_course.h"
#include "format/little_endian.h"
#include "format/windows1252.h"

namespace scenario {

namespace {

// Gathers the bytes of a file and hands them to the sink a chunk at a time: in order, or, for a
// writer that fills two parts of the file at once, each chunk at its offset. The buffer is no
// larger than the bytes expected, so a small file costs a small buffer.
class Chunks {
 public:
  Chunks(ByteSink& sink, std::uint64_t expected, std::optional<std::uint64_t> offset = {})
      : sink_(sink),
        capacity_(static_cast<std::size_t>(
            std::clamp<std::uint64_t>(expected, smallest_buffer, file_chunk_size))),
        buffer_(std::make_unique_for_overwrite<char[]>(capacity_)),
        offset_(offset) {}

  // Room for `n` bytes (at most a small buffer): the chunk goes when it would not hold them.
  char* room(std::size_t n) {
    if (used_ + n > capacity_) flush();
    char* p = buffer_.get() + used_;
    used_ += n;
    return p;
  }

  // Bytes of any length.
  void append(std::string_view bytes) {
    if (bytes.size() > capacity_) {
      flush();
      put(bytes);
      return;
    }
    std::copy(bytes.begin(), bytes.end(), room(bytes.size()));
  }

  // `unit` (at most a small buffer) `times` over: copies of what is already there, doubling.
  void repeat(std::string_view unit, std::uint64_t times) {
    while (times > 0) {
      if (capacity_ - used_ < unit.size()) flush();
      const std::uint64_t fit = (capacity_ - used_) / unit.size();
      const auto n = static_cast<std::size_t>(std::min(times, fit));
      char* p = buffer_.get() + used_;
      std::copy(unit.begin(), unit.end(), p);
      for (std::size_t done = 1; done < n;) {
        const std::size_t more = std::min(done, n - done);
        std::memcpy(p + done * unit.size(), p, more * unit.size());
        done += more;
      }
      used_ += n * unit.size();
      times -= n;
    }
  }

  void flush() {
    if (used_ == 0) return;
    put(std::string_view(buffer_.get(), used_));
    used_ = 0;
  }

 private:
  static constexpr std::uint64_t smallest_buffer = 64;

  void put(std::string_view bytes) {
    if (offset_) {
      sink_.put_at(*offset_, bytes);
      *offset_ += bytes.size();
    } else {
      sink_.put(bytes);
    }
  }

  ByteSink& sink_;
  std::size_t capacity_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  std::optional<std::uint64_t> offset_;
};

std::size_t value_size(LineValue::Tag tag) {
  switch (tag) {
    case LineValue::Tag::integer:
      return 4;
    case LineValue::Tag::real:
      return 10;
    case LineValue::Tag::empty:
      break;
  }
  return 2;
}

template <typename Write>
std::string to_string(Write write) {
  std::string out;
  StringSink sink(out);
  write(sink);
  return out;
}

}  // namespace

void write_track_file(const std::vector<TrackCell>& track, ByteSink& sink) {
  Chunks chunks(sink, track.size() * static_cast<std::size_t>(track_record_size));
  for (const TrackCell& c : track) {
    char* p = chunks.room(track_record_size);
    p = store_le(p, c.kind);
    p = store_le(p, c.value1);
    p = store_le(p, c.value2);
    p = store_le(p, c.value3);
    p = store_le(p, c.value4);
    p = store_le(p, c.signal_time);
    p = store_le(p, c.approach_code);
    p = store_le(p, c.tunnel_type);
    p = store_le(p, c.speed_div5);
    p = store_le(p, c.gradient_100);
    store_le(p, c.adhesion);
  }
  chunks.flush();
}

void write_table_file(const SimTable& table, ByteSink& sink) {
  Chunks chunks(sink, table.size() * static_cast<std::size_t>(table_record_fixed_size));
  std::string out;
  for (const SimRecord& r : table) {
    const std::string name = to_windows1252(r.name);
    if (name.size() > 0xFFFF) throw std::length_error("a table name longer than 65535 bytes");
    out.clear();
    put_le(out, r.kind);
    put_le(out, r.start_m);
    put_le(out, r.end_m);
    put_le(out, r.pos_m);
    put_le(out, r.tps);
    put_le(out, static_cast<std::uint16_t>(name.size()));
    out += name;
    put_le(out, r.d2a);
    put_le(out, r.d3a);
    put_le(out, r.d1b);
    put_le(out, r.d2b);
    put_le(out, r.d3b);
    put_le(out, r.rap);
    put_le(out, r.ac);
    put_le(out, r.mar);
    put_le(out, r.tab);
    put_le(out, r.time_s);
    chunks.append(out);
  }
  chunks.flush();
}

void write_line_file(const LineGeometry& geometry, ByteSink& sink) {
  Chunks chunks(sink, geometry.tags().size() * 10);
  const auto& tags = geometry.tags();
  const auto& numbers = geometry.numbers();
  const std::size_t rows = tags.size() / 2;
  for (std::size_t coord = 0; coord < 2; ++coord) {
    for (std::size_t row = 0; row < rows; ++row) {
      const std::size_t i = row * 2 + coord;
      const auto tag = tags[i];
      char* p = store_le(chunks.room(value_size(tag)), static_cast<std::uint16_t>(tag));
      if (tag == LineValue::Tag::integer) {
        store_le(p, static_cast<std::uint16_t>(static_cast<std::int16_t>(numbers[i])));
      } else if (tag == LineValue::Tag::real) {
        store_le(p, std::bit_cast<std::uint64_t>(numbers[i]));
      }
    }
  }
  chunks.flush();
}

// One walk along the course fills both halves of the file: coordinate 0 of every row from the
// start, coordinate 1 from the middle, each half in chunks at its offset.
void write_line_file(const LineCourse& course, ByteSink& sink) {
  const auto empty = static_cast<std::uint16_t>(LineValue::Tag::empty);
  const auto integer = static_cast<std::uint16_t>(LineValue::Tag::integer);
  const std::int64_t first_empty = std::max<std::int64_t>(course.filled_to() + 1, 0);
  const std::int64_t integers = std::min<std::int64_t>(first_empty, 2);
  const std::int64_t reals = std::max<std::int64_t>(course.filled_to() - 1, 0);
  const std::int64_t empties = course.last_m() + 1 - first_empty;
  const auto half = static_cast<std::uint64_t>(integers * 4 + reals * 10 + empties * 2);

  // Rows 0 and 1 hold (0, 0) and (0, 1) once the line has started.
  const auto put_integers = [&](int c) {
    std::array<char, 8> values{};
    char* p = values.data();
    for (std::int64_t row = 0; row < integers; ++row) {
      p = store_le(store_le(p, integer), static_cast<std::uint16_t>(c == 1 ? row : 0));
    }
    const auto bytes = static_cast<std::size_t>(p - values.data());
    if (bytes > 0) sink.put_at(c == 0 ? 0 : half, {values.data(), bytes});
  };
  // Coordinate 1 starts after the first block of coordinate 0, so that a line of one block goes
  // out in file order: a sink that holds the file in memory then never fills a gap it must clear.
  bool second_started = false;
  const auto start_second = [&] {
    if (!second_started) put_integers(1);
    second_started = true;
  };
  put_integers(0);
  // The computed rows go straight from their blocks, each a chunk at most.
  LineBlocks blocks(course, static_cast<std::int64_t>(file_chunk_size / 10));
  const auto start = static_cast<std::uint64_t>(integers * 4);
  std::array<std::uint64_t, 2> at{start, half + start};
  const auto put_empties = [&](std::uint64_t from) {
    Chunks chunks(sink, static_cast<std::uint64_t>(empties) * 2, from);
    std::array<char, 2> unit{};
    store_le(unit.data(), empty);
    chunks.repeat({unit.data(), unit.size()}, static_cast<std::uint64_t>(empties));
    chunks.flush();
  };
  const LineBlock* b = blocks.next();
  if (b == nullptr) put_empties(at[0]);
  for (; b != nullptr; b = blocks.next()) {
    sink.put_at(at[0], b->x_bytes());
    at[0] += b->x_bytes().size();
    start_second();
    sink.put_at(at[1], b->y_bytes());
    at[1] += b->y_bytes().size();
  }
  if (second_started) put_empties(at[0]);
  start_second();
  put_empties(at[1]);
}

std::string write_line_file(const LineCourse& course) {
  return to_string([&](ByteSink& sink) { write_line_file(course, sink); });
}

std::string write_track_file(const std::vector<TrackCell>& track) {
  return to_string([&](ByteSink& sink) { write_track_file(track, sink); });
}

std::string write_table_file(const SimTable& table) {
  return to_string([&](ByteSink& sink) { write_table_file(table, sink); });
}

std::string write_line_file(const LineGeometry& geometry) {
  return to_string([&](ByteSink& sink) { write_line_file(geometry, sink); });
}

}  // namespace scenario
