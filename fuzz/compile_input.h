// How one fuzz input becomes the two text sources of a compile. The cut is the first NUL byte:
// the bytes before it are the line source, the bytes after it the train source (further NUL
// bytes stay in the train source). An input without a NUL byte is a line source alone, and the
// train source is then missing, a case the compiler has to survive as well.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace scenario::fuzz {

struct CompileInput {
  std::string line_source;
  std::optional<std::string> train_source;
};

CompileInput split_compile_input(std::string_view bytes);
std::string join_compile_input(std::string_view line_source, std::string_view train_source);

// The built-in line and train sources, joined by the cut rule.
std::string builtin_compile_input();

}  // namespace scenario::fuzz
