// Taking paths apart and joining them, in UTF-8 on every platform (a narrow path on Windows is in
// the ANSI code page, which cannot name every file).
#pragma once

#include <filesystem>
#include <string>

namespace scenario {

// A UTF-8 path as the library's path, and back.
std::filesystem::path to_path(const std::string& utf8);
std::string utf8_of(const std::filesystem::path& path);

// The last part of a path: "a/b/c.dat" gives "c.dat".
std::string file_name(const std::string& path);
// The last part without its ending: "a/b/c.dat" gives "c".
std::string file_stem(const std::string& path);
// A name in a folder, with one separator between them.
std::string join_path(const std::string& folder, const std::string& name);

}  // namespace scenario
