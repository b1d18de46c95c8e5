// Everything a run works on: the two identifiers, the compiled model, the recorded error and the
// working values that the compiler's steps share.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "format/model.h"

namespace scenario {

class FileSystem;
class MessageSink;

// Which text source the reader is on when something is recorded.
enum class SourceKind { none, line, train };

// Told about everything the compiler records, as it happens. The generator shows none of it; an
// author's tool turns it into diagnostics.
class CompileObserver {
 public:
  virtual ~CompileObserver() = default;
  // A code was recorded. `line` is the 1-based line the reader was on (0 when not reading).
  virtual void on_code(std::int32_t code, std::optional<std::int32_t> pos, SourceKind source,
                       int line) = 0;
  // A record's keyword field matched no record kind (comments, headers and empty fields excluded).
  virtual void on_unknown_keyword(SourceKind source, int line, const std::string& field) = 0;
};

struct GeneratorState {
  std::string route_id;
  std::string train_number;
  std::int32_t build_line = 0;
  std::int32_t error_code = 0;
  std::int32_t error_pos = 0;
  // Whether the last recorded code came with a position.
  bool error_pos_recorded = false;

  // The compiled model. An empty track means the reader has not created one.
  std::vector<TrackCell> track;
  SimTable table{};
  LineGeometry line_geometry;
  bool has_line_geometry = false;
  std::int32_t line_last_m = 0;
  std::int32_t track_last = 0;

  // Tunnel counter and lists of the feature recorders.
  std::int32_t tunnel_count = 0;
  std::vector<std::int32_t> tunnel_starts;
  std::vector<std::int32_t> tunnel_ends;

  // Where the reader is, for the observer.
  SourceKind reading_source = SourceKind::none;
  int reading_line = 0;

  // Where every file of the run lives; no trailing separator.
  std::string folder;

  // Services of the run. The file system is required; the message box only by `errore`.
  FileSystem* fs = nullptr;
  MessageSink* message_box = nullptr;
  CompileObserver* observer = nullptr;

  bool has_track() const { return !track.empty(); }
};

// Records a code without a position (the previous position stays, as the last one wins only for
// codes that set it).
void record_error(GeneratorState& state, std::int32_t code);
// Records a code together with a position in metres.
void record_error_at(GeneratorState& state, std::int32_t code, std::int32_t pos);

}  // namespace scenario
