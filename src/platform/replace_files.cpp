#include "platform/replace_files.h"

#include "platform/file_system.h"
#include "platform/interrupts.h"

namespace scenario {

FileError::FileError(std::string path, std::string reason, std::string_view action)
    : std::runtime_error("cannot " + std::string(action) + " " + path + ": " + reason),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

std::string temporary_name(const std::string& path) { return path + ".tmp"; }

std::string backup_name(const std::string& path) { return path + ".old"; }

namespace {

// Puts the bytes into the temporary file as they come; an interrupt is noticed between pieces.
class TemporaryFileSink : public ByteSink {
 public:
  TemporaryFileSink(OutputFile& file, const std::string& path,
                    const ReplacementInProgress& replacement)
      : file_(file), path_(path), replacement_(replacement) {}

  void put(std::string_view bytes) override {
    replacement_.check();
    std::string err;
    if (!file_.write(bytes, &err)) throw FileError(path_, err);
  }

  void put_at(std::uint64_t offset, std::string_view bytes) override {
    replacement_.check();
    std::string err;
    if (!file_.write_at(offset, bytes, &err)) throw FileError(path_, err);
  }

 private:
  OutputFile& file_;
  const std::string& path_;
  const ReplacementInProgress& replacement_;
};

void write_temporary(FileSystem& fs, const OutputStream& output,
                     const ReplacementInProgress& replacement) {
  const std::string tmp = temporary_name(output.path);
  std::string err;
  auto file = fs.create(tmp, &err);
  if (!file) throw FileError(output.path, err);
  TemporaryFileSink sink(*file, output.path, replacement);
  output.write(sink);
  if (!file->flush(&err) || !file->close(&err)) throw FileError(output.path, err);
  replacement.check();
}

void remove_if_there(FileSystem& fs, const std::string& path) {
  std::string ignored;
  if (fs.exists(path)) fs.remove(path, &ignored);
}

void remove_temporaries(FileSystem& fs, const std::vector<OutputStream>& files) {
  for (const auto& f : files) remove_if_there(fs, temporary_name(f.path));
}

// What a killed replacement left: its temporary files go, and an old file comes back when its
// target is missing (the new one never took its place); one whose target is there goes too.
void clear_leftovers(FileSystem& fs, const std::vector<OutputStream>& files) {
  std::string ignored;
  for (const auto& f : files) {
    remove_if_there(fs, temporary_name(f.path));
    const std::string old = backup_name(f.path);
    if (!fs.exists(old)) continue;
    if (fs.exists(f.path)) {
      fs.remove(old, &ignored);
    } else {
      fs.rename(old, f.path, &ignored);
    }
  }
}

// Puts the old files back after a failed exchange: the new files already in place go, the
// backups return. Best effort: the failure that led here is what gets reported.
void restore(FileSystem& fs, const std::vector<OutputStream>& files,
             const std::vector<bool>& backed_up, std::size_t installed) {
  std::string ignored;
  for (std::size_t i = 0; i < installed; ++i) fs.remove(files[i].path, &ignored);
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (backed_up[i]) fs.rename(backup_name(files[i].path), files[i].path, &ignored);
  }
  remove_temporaries(fs, files);
}

// Old files step aside first, so that a failure part-way can put the whole set back.
void exchange(FileSystem& fs, const std::vector<OutputStream>& files,
              const ReplacementInProgress& replacement) {
  std::vector<bool> backed_up(files.size(), false);
  std::size_t installed = 0;
  try {
    std::string err;
    for (std::size_t i = 0; i < files.size(); ++i) {
      replacement.check();
      if (!fs.exists(files[i].path)) continue;
      if (!fs.rename(files[i].path, backup_name(files[i].path), &err)) {
        throw FileError(files[i].path, err);
      }
      backed_up[i] = true;
    }
    for (; installed < files.size(); ++installed) {
      replacement.check();
      if (!fs.rename(temporary_name(files[installed].path), files[installed].path, &err)) {
        throw FileError(files[installed].path, err);
      }
    }
  } catch (...) {
    restore(fs, files, backed_up, installed);
    throw;
  }
  // The new set is whole: the old one goes.
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (backed_up[i]) remove_if_there(fs, backup_name(files[i].path));
  }
}

}  // namespace

void replace_files(FileSystem& fs, const std::vector<OutputStream>& files) {
  ReplacementInProgress replacement;
  clear_leftovers(fs, files);
  try {
    for (const auto& f : files) write_temporary(fs, f, replacement);
  } catch (...) {
    remove_temporaries(fs, files);
    throw;
  }
  exchange(fs, files, replacement);
  replacement.finish();
}

void replace_files(FileSystem& fs, const std::vector<OutputBlob>& files) {
  std::vector<OutputStream> streams;
  streams.reserve(files.size());
  for (const OutputBlob& blob : files) {
    streams.push_back({blob.path, [&blob](ByteSink& sink) { sink.put(blob.bytes); }});
  }
  replace_files(fs, streams);
}

void replace_file(FileSystem& fs, const std::string& path, std::string_view bytes) {
  replace_files(fs, {OutputStream{path, [bytes](ByteSink& sink) { sink.put(bytes); }}});
}

}  // namespace scenario
