// Every file operation of the system goes through this interface, so that tests can put a fake
// disk or a failing one in its place.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace scenario {

// A file open for writing. Every call reports failure with the operating system's reason.
class OutputFile {
 public:
  virtual ~OutputFile() = default;
  virtual bool write(std::string_view bytes, std::string* err) = 0;
  // Pushes everything written so far to the disk.
  virtual bool flush(std::string* err) = 0;
  virtual bool close(std::string* err) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool exists(const std::string& path) = 0;
  // Creates the file, or empties an existing one, and opens it for writing.
  virtual std::unique_ptr<OutputFile> create(const std::string& path, std::string* err) = 0;
  // Reads the whole file into `bytes`.
  virtual bool read(const std::string& path, std::string* bytes, std::string* err) = 0;
  virtual bool remove(const std::string& path, std::string* err) = 0;
  // Moves `from` onto `to`, replacing `to` when it exists.
  virtual bool rename(const std::string& from, const std::string& to, std::string* err) = 0;
};

// The operating system's disk.
class RealFileSystem : public FileSystem {
 public:
  bool exists(const std::string& path) override;
  std::unique_ptr<OutputFile> create(const std::string& path, std::string* err) override;
  bool read(const std::string& path, std::string* bytes, std::string* err) override;
  bool remove(const std::string& path, std::string* err) override;
  bool rename(const std::string& from, const std::string& to, std::string* err) override;
};

// The platform's path separator, used to join the program folder and a file name.
#ifdef _WIN32
inline constexpr char path_separator = '\\';
#else
inline constexpr char path_separator = '/';
#endif

}  // namespace scenario
