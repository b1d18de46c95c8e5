// A file system in memory that compares the compiled files written into it with the files they
// should be, as the bytes arrive, and keeps none of them: the check of a thousand-kilometre line
// then costs no copy of its 20 MB. Every other file is kept as a MemoryFileSystem keeps it.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/memory_file_system.h"

namespace scenario::tool {

class ComparingFileSystem : public MemoryFileSystem {
 public:
  // What became of one compared file.
  struct Outcome {
    bool written = false;
    std::uint64_t size = 0;                    // how far the writes reached
    std::optional<std::uint64_t> first_wrong;  // the first byte that differs

    bool equal(std::string_view expected) const {
      return written && size == expected.size() && !first_wrong;
    }
  };

  // A file written to `path` (or to its temporary name, which is renamed onto it) is compared
  // with `expected`, which must outlive this.
  void compare(const std::string& path, std::string_view expected);
  const Outcome& outcome(const std::string& path) const { return compared_.at(path).outcome; }

  std::unique_ptr<OutputFile> create(const std::string& path, std::string* err) override;

 private:
  struct Compared {
    std::string_view expected;
    Outcome outcome;
  };
  std::map<std::string, Compared> compared_;
};

}  // namespace scenario::tool
