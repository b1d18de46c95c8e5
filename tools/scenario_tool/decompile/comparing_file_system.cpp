#include "scenario_tool/decompile/comparing_file_system.h"

#include <algorithm>

#include "platform/replace_files.h"

namespace scenario::tool {

namespace {

// Compares the bytes instead of keeping them; the file underneath stays empty, so that the
// replacement that writes it can still rename and remove it as usual.
class ComparingOutputFile : public OutputFile {
 public:
  ComparingOutputFile(std::unique_ptr<OutputFile> file, std::string_view expected,
                      ComparingFileSystem::Outcome& outcome)
      : file_(std::move(file)), expected_(expected), outcome_(outcome) {
    outcome_ = {};
    outcome_.written = true;
  }

  bool write(std::string_view bytes, std::string* err) override {
    if (!write_at(position_, bytes, err)) return false;
    position_ += bytes.size();
    return true;
  }

  bool write_at(std::uint64_t offset, std::string_view bytes, std::string*) override {
    const std::uint64_t end = offset + bytes.size();
    outcome_.size = std::max(outcome_.size, end);
    if (offset < expected_.size()) {
      const std::string_view there = expected_.substr(offset, bytes.size());
      if (there.size() < bytes.size() || there != bytes) {
        const auto diff = std::mismatch(there.begin(), there.end(), bytes.begin());
        const std::uint64_t at = offset + static_cast<std::uint64_t>(diff.first - there.begin());
        if (!outcome_.first_wrong || at < *outcome_.first_wrong) outcome_.first_wrong = at;
      }
    } else if (!bytes.empty() && (!outcome_.first_wrong || offset < *outcome_.first_wrong)) {
      outcome_.first_wrong = offset;
    }
    return true;
  }

  bool flush(std::string* err) override { return file_->flush(err); }
  bool close(std::string* err) override { return file_->close(err); }

 private:
  std::unique_ptr<OutputFile> file_;
  std::string_view expected_;
  ComparingFileSystem::Outcome& outcome_;
  std::uint64_t position_ = 0;
};

}  // namespace

void ComparingFileSystem::compare(const std::string& path, std::string_view expected) {
  compared_[path] = {expected, {}};
}

std::unique_ptr<OutputFile> ComparingFileSystem::create(const std::string& path, std::string* err) {
  auto file = MemoryFileSystem::create(path, err);
  if (!file) return file;
  for (auto& [target, compared] : compared_) {
    if (path == target || path == temporary_name(target)) {
      return std::make_unique<ComparingOutputFile>(std::move(file), compared.expected,
                                                   compared.outcome);
    }
  }
  return file;
}

}  // namespace scenario::tool
