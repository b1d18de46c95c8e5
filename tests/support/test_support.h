// Shared helpers of the test programs: temporary folders, file bytes, processes and a fake UI.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/ui.h"

namespace scenario::testing {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

std::string read_file(const std::filesystem::path& p);
void write_file(const std::filesystem::path& p, const std::string& bytes);
// The names of the files in a folder, sorted.
std::vector<std::string> list_folder(const std::filesystem::path& p);

std::uint16_t u16_at(const std::string& bytes, std::size_t offset);
std::int16_t i16_at(const std::string& bytes, std::size_t offset);
std::int32_t i32_at(const std::string& bytes, std::size_t offset);
double f64_at(const std::string& bytes, std::size_t offset);

// The file's identity on its disk (its inode; on Windows its file index): a file replaced by
// another with the same bytes has a new one. 0 when the file cannot be found.
std::uint64_t file_identity(const std::string& path);

// Runs a command through sh and collects what it printed. Not on Windows.
struct CommandResult {
  int exit_status = -1;  // -1 when the command did not end normally
  std::string out;
  std::string err;
};
CommandResult run_command(const std::string& shell_command);

// Quotes a word for sh.
std::string shell_quote(const std::string& word);

// Records what the run would have shown.
class RecordingUi : public Ui {
 public:
  void show_wait_window() override { events.push_back("wait window"); }
  void message_box(const std::string& text) override { events.push_back("message: " + text); }
  std::vector<std::string> events;
};

}  // namespace scenario::testing
