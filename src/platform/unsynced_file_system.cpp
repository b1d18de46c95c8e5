#include "platform/unsynced_file_system.h"

namespace scenario {

namespace {

class UnsyncedOutputFile : public OutputFile {
 public:
  explicit UnsyncedOutputFile(std::unique_ptr<OutputFile> inner) : inner_(std::move(inner)) {}
  bool write(std::string_view bytes, std::string* err) override {
    return inner_->write(bytes, err);
  }
  bool write_at(std::uint64_t offset, std::string_view bytes, std::string* err) override {
    return inner_->write_at(offset, bytes, err);
  }
  bool flush(std::string* err) override { return inner_->flush(err); }
  bool sync(std::string* /*err*/) override { return true; }
  bool close(std::string* err) override { return inner_->close(err); }

 private:
  std::unique_ptr<OutputFile> inner_;
};

}  // namespace

std::unique_ptr<OutputFile> UnsyncedFileSystem::create(const std::string& path, std::string* err) {
  auto inner = inner_.create(path, err);
  if (!inner) return nullptr;
  return std::make_unique<UnsyncedOutputFile>(std::move(inner));
}

}  // namespace scenario
