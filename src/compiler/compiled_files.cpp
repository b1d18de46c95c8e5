#include "compiler/compiled_files.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "format/file_writers.h"
#include "platform/replace_files.h"

namespace scenario {

namespace {

// Counts what passes on to the file, for the sizes the compile reports.
class CountingSink : public ByteSink {
 public:
  CountingSink(ByteSink& inner, std::uint64_t& count) : inner_(inner), count_(count) {}
  void put(std::string_view bytes) override {
    inner_.put(bytes);
    count_ += bytes.size();
  }
  void put_at(std::uint64_t offset, std::string_view bytes) override {
    inner_.put_at(offset, bytes);
    count_ = std::max<std::uint64_t>(count_, offset + bytes.size());
  }

 private:
  ByteSink& inner_;
  std::uint64_t& count_;
};

}  // namespace

std::vector<WrittenFile> write_compiled_files(const ScenarioNames& names,
                                              const CompiledScenario& model, FileSystem& fs) {
  using Writer = std::function<void(ByteSink&)>;
  std::vector<std::pair<std::string, Writer>> writers;
  if (model.line) {
    writers.emplace_back(line_file_path(names),
                         [&](ByteSink& sink) { write_line_file(*model.line, sink); });
  }
  writers.emplace_back(table_file_path(names),
                       [&](ByteSink& sink) { write_table_file(model.table, sink); });
  writers.emplace_back(track_file_path(names),
                       [&](ByteSink& sink) { write_track_file(model.track, sink); });

  std::vector<WrittenFile> written(writers.size());
  std::vector<OutputStream> files;
  for (std::size_t i = 0; i < writers.size(); ++i) {
    written[i].path = writers[i].first;
    files.push_back({writers[i].first, [&, i](ByteSink& sink) {
                       written[i].bytes = 0;
                       CountingSink counted(sink, written[i].bytes);
                       writers[i].second(counted);
                     }});
  }
  replace_files(fs, files);
  return written;
}

}  // namespace scenario
