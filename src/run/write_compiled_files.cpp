#include "run/write_compiled_files.h"

#include <algorithm>

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

std::string compiled_file_path(const ScenarioNames& names, CompiledFileKind kind) {
  switch (kind) {
    case CompiledFileKind::line:
      return line_file_path(names);
    case CompiledFileKind::table:
      return table_file_path(names);
    case CompiledFileKind::track:
      break;
  }
  return track_file_path(names);
}

std::vector<WrittenFile> write_compiled_files(const ScenarioNames& names,
                                              const CompileResult& result, FileSystem& fs) {
  const std::vector<CompiledFile> files = result.files();
  if (files.empty()) return {};
  std::vector<WrittenFile> written(files.size());
  std::vector<OutputStream> streams;
  for (std::size_t i = 0; i < files.size(); ++i) {
    written[i].path = compiled_file_path(names, files[i].kind);
    streams.push_back({written[i].path, [&, i](ByteSink& sink) {
                         written[i].bytes = 0;
                         CountingSink counted(sink, written[i].bytes);
                         files[i].write(counted);
                       }});
  }
  replace_files(fs, streams);
  return written;
}

}  // namespace scenario
